#include "platform/dictionary/Stemmer.h"

#include <hunspell/hunspell.h>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace lectern::platform {

namespace {

// A word longer than this is no word of a sentence; hunspell is not asked.
constexpr qsizetype longestWord = 100;

}  // namespace

struct Stemmer::Speller {
    Hunhandle* handle = nullptr;
    QByteArray encoding;
    ~Speller() {
        if (handle)
            Hunspell_destroy(handle);
    }
};

Stemmer::Stemmer(const QStringList& folders) : folders_(folders) {}

Stemmer::~Stemmer() = default;

Stemmer::Speller* Stemmer::spellerFor(QLocale::Language language) {
    auto found = spellers_.find(language);
    if (found != spellers_.end())
        return found->second.get();
    auto speller = std::make_unique<Speller>();
    const QString code = QLocale::languageToCode(language, QLocale::ISO639Part1);
    // The language's own country first (en_US, fr_FR), then any other.
    const QString home =
        code + QLatin1Char('_') + QLocale::territoryToCode(QLocale(language).territory());
    for (const QString& folder : folders_) {
        const QDir dir(folder);
        QStringList names =
            dir.entryList({code + QStringLiteral("_*.dic"), code + QStringLiteral(".dic")},
                          QDir::Files, QDir::Name);
        std::stable_partition(names.begin(), names.end(), [&home](const QString& name) {
            return name.startsWith(home + QLatin1Char('.'));
        });
        for (const QString& name : names) {
            const QString dic = dir.filePath(name);
            QString aff = dic;
            aff.replace(aff.size() - 3, 3, QStringLiteral("aff"));
            if (code.isEmpty() || !QFile::exists(aff))
                continue;
            speller->handle = Hunspell_create(QFile::encodeName(aff).constData(),
                                              QFile::encodeName(dic).constData());
            if (speller->handle) {
                speller->encoding = Hunspell_get_dic_encoding(speller->handle);
                break;
            }
        }
        if (speller->handle)
            break;
    }
    Speller* result = speller.get();
    spellers_.emplace(language, std::move(speller));
    return result;
}

QStringList Stemmer::stems(const QString& word, QLocale::Language language) {
    QStringList found;
    if (word.isEmpty() || word.size() > longestWord)
        return found;
    Speller* speller = spellerFor(language);
    if (!speller || !speller->handle)
        return found;
    QStringEncoder encode(speller->encoding.constData());
    QStringDecoder decode(speller->encoding.constData());
    if (!encode.isValid() || !decode.isValid())
        return found;
    const QByteArray bytes = encode(word);
    char** list = nullptr;
    const int count = Hunspell_stem(speller->handle, &list, bytes.constData());
    for (int i = 0; i < count; ++i) {
        const QString stem = decode(QByteArray(list[i]));
        if (!stem.isEmpty() && stem != word && !found.contains(stem))
            found.append(stem);
    }
    if (list)
        Hunspell_free_list(speller->handle, &list, count);
    return found;
}

}  // namespace lectern::platform
