#include "platform/widgets/Announcer.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace lectern::platform {

void announce(QWidget* source, const QString& text) {
    if (source == nullptr)
        return;
    source->setAccessibleName(text);
    QAccessibleEvent changed(source, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(source, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace lectern::platform
