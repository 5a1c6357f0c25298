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
// ".aff" in the given folders. A language's dictionary is loaded at its
// first word, and only then.
class Stemmer {
  public:
    explicit Stemmer(const QStringList& folders = {QStringLiteral("/usr/share/hunspell")});
    ~Stemmer();
    Stemmer(const Stemmer&) = delete;
    Stemmer& operator=(const Stemmer&) = delete;

    // The stems hunspell gives, without `word` itself; empty when it knows
    // none or there is no dictionary for the language.
    QStringList stems(const QString& word, QLocale::Language language);

  private:
    struct Speller;
    Speller* spellerFor(QLocale::Language language);

    QStringList folders_;
    std::map<QLocale::Language, std::unique_ptr<Speller>> spellers_;
};

}  // namespace lectern::platform
