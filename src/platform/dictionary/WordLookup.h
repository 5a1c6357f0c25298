#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <vector>

namespace lectern::platform {

class Dictionaries;
class Stemmer;

// What the dictionaries say of one word.
struct WordEntries {
    struct Entry {
        QString dictionary;
        QString text;
        // The word's stem, when the dictionary lacks the form itself.
        QString stem;
    };
    QString word;
    // The first stem hunspell gives, or empty.
    QString stem;
    // Some entry is the stem's.
    bool fromStem = false;
    std::vector<Entry> entries;
    // When no installed dictionary translates from the language: which
    // packages to install.
    QString missing;

    QString firstEntry() const { return entries.empty() ? QString() : entries.front().text; }
};

// Looks a word up in every dictionary from its language; a dictionary that
// lacks the form itself is asked for its stems.
class WordLookup {
  public:
    WordLookup(const Dictionaries& dictionaries, Stemmer& stemmer)
        : dictionaries_(dictionaries), stemmer_(stemmer) {}

    WordEntries lookUp(const QString& word, QLocale::Language language) const;

    // "dict-freedict-eng-*" and "hunspell-en": the packages that bring the
    // language's dictionaries.
    static QString packagesFor(QLocale::Language language);

  private:
    const Dictionaries& dictionaries_;
    Stemmer& stemmer_;
};

}  // namespace lectern::platform
