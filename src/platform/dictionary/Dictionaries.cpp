#include "platform/dictionary/Dictionaries.h"

#include <QDir>
#include <QStandardPaths>

namespace lectern::platform {

QStringList Dictionaries::standardFolders() {
    return {QStringLiteral("/usr/share/dictd"),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                QStringLiteral("/dictionaries")};
}

Dictionaries::Dictionaries(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file :
             dir.entryList({QStringLiteral("*.index")}, QDir::Files, QDir::Name)) {
            auto dictionary = std::make_unique<Dictionary>(dir.filePath(file));
            if (!dictionary->failure().isEmpty())
                problems_.append(QStringLiteral("The dictionary %1 is left out: %2")
                                     .arg(dir.filePath(file), dictionary->failure()));
            else
                dictionaries_.push_back(std::move(dictionary));
        }
    }
}

std::vector<const Dictionary*> Dictionaries::from(QLocale::Language language) const {
    std::vector<const Dictionary*> found;
    for (const auto& dictionary : dictionaries_)
        if (dictionary->source() == language)
            found.push_back(dictionary.get());
    return found;
}

QList<QLocale::Language> Dictionaries::sources() const {
    QList<QLocale::Language> found;
    for (const auto& dictionary : dictionaries_)
        if (!found.contains(dictionary->source()))
            found.append(dictionary->source());
    return found;
}

}  // namespace lectern::platform
