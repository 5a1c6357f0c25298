#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

struct Hunhandle;

namespace lectern::platform {

// Reduces an inflected form to its stems ("creatures" → "creature") with
// the hunspell dictionary of its language, found as "ll_*.dic" with its
// ".aff" in the given folders. A language's dictionary is loaded when
// preload() asks for it, on a thread of its own, or else at its first word.
// Used from one thread; only the loading runs on another.
class Stemmer {
  public:
    explicit Stemmer(const QStringList& folders = {QStringLiteral("/usr/share/hunspell")});
    ~Stemmer();
    Stemmer(const Stemmer&) = delete;
    Stemmer& operator=(const Stemmer&) = delete;

    // The stems hunspell gives, without `word` itself; empty when it knows
    // none or there is no dictionary for the language.
    // A load still under way is waited for.
    QStringList stems(const QString& word, QLocale::Language language);

    // Starts loading the language's dictionary in the background, unless it
    // is loaded or loading.
    void preload(QLocale::Language language);
    // The language's dictionary has been looked for (found or not): its
    // words are stemmed without a wait.
    bool ready(QLocale::Language language) const;
    // Waits for every load under way.
    void finishLoading();

  private:
    struct Speller;
    struct Loading;
    Speller* spellerFor(QLocale::Language language);
    static std::unique_ptr<Speller> load(const QStringList& folders, QLocale::Language language);

    QStringList folders_;
    std::map<QLocale::Language, std::unique_ptr<Speller>> spellers_;
    std::map<QLocale::Language, std::unique_ptr<Loading>> loading_;
};

}  // namespace lectern::platform
