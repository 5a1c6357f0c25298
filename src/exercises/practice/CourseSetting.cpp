#include "exercises/practice/CourseSetting.h"

#include "platform/desktop/UserSettings.h"

#include <QCryptographicHash>

namespace lectern::exercises {

void CourseSetting::load(const QString& courseFolder) {
    key_ = name_ + QLatin1Char('/') +
           QString::fromLatin1(
               QCryptographicHash::hash(courseFolder.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QVariant CourseSetting::value(const QVariant& fallback) const {
    return key_.isEmpty() ? fallback : platform::userSettings().value(key_, fallback);
}

void CourseSetting::store(const QVariant& value) const {
    if (!key_.isEmpty())
        platform::userSettings().setValue(key_, value);
}

}  // namespace lectern::exercises
