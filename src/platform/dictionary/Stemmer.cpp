#include "platform/dictionary/Stemmer.h"

#include <hunspell/hunspell.h>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

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

// A load on its own thread: the thread writes `speller` and then `done`;
// the owner reads `speller` only after joining it.
struct Stemmer::Loading {
    std::thread worker;
    std::unique_ptr<Speller> speller;
    std::atomic<bool> done = false;
};

Stemmer::Stemmer(const QStringList& folders) : folders_(folders) {}

Stemmer::~Stemmer() {
    finishLoading();
}

std::unique_ptr<Stemmer::Speller> Stemmer::load(const QStringList& folders,
                                                QLocale::Language language) {
    auto speller = std::make_unique<Speller>();
    const QString code = QLocale::languageToCode(language, QLocale::ISO639Part1);
    if (code.isEmpty())
        return speller;
    // The language's own country first (en_US, fr_FR), then any other.
    const QString home =
        code + QLatin1Char('_') + QLocale::territoryToCode(QLocale(language).territory());
    for (const QString& folder : folders) {
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
            if (!QFile::exists(aff))
                continue;
            speller->handle = Hunspell_create(QFile::encodeName(aff).constData(),
                                              QFile::encodeName(dic).constData());
            if (speller->handle) {
                speller->encoding = Hunspell_get_dic_encoding(speller->handle);
                return speller;
            }
        }
    }
    return speller;
}

void Stemmer::preload(QLocale::Language language) {
    if (spellers_.count(language) || loading_.count(language))
        return;
    auto loading = std::make_unique<Loading>();
    Loading* slot = loading.get();
    try {
        loading->worker = std::thread([slot, folders = folders_, language] {
            try {
                slot->speller = load(folders, language);
            } catch (...) {
                slot->speller.reset();  // no stems rather than no lookup
            }
            slot->done.store(true, std::memory_order_release);
        });
    } catch (const std::system_error&) {
        return;  // no thread to spare: the first word loads it
    }
    loading_.emplace(language, std::move(loading));
}

bool Stemmer::ready(QLocale::Language language) const {
    if (spellers_.count(language))
        return true;
    const auto found = loading_.find(language);
    return found != loading_.end() && found->second->done.load(std::memory_order_acquire);
}

void Stemmer::finishLoading() {
    for (auto& [language, loading] : loading_) {
        if (loading->worker.joinable())
            loading->worker.join();
        spellers_[language] = std::move(loading->speller);
    }
    loading_.clear();
}

Stemmer::Speller* Stemmer::spellerFor(QLocale::Language language) {
    if (const auto found = loading_.find(language); found != loading_.end()) {
        // Begun when the page was shown: what is left of it is waited for.
        found->second->worker.join();
        spellers_[language] = std::move(found->second->speller);
        loading_.erase(found);
    }
    auto found = spellers_.find(language);
    if (found == spellers_.end())
        found = spellers_.emplace(language, load(folders_, language)).first;
    return found->second.get();
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
