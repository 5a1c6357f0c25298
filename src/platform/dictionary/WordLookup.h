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
    };
    QString word;
    // The stem whose entries these are, when the form itself has none; else
    // the first stem hunspell knows, or empty.
    QString stem;
    bool fromStem = false;
    std::vector<Entry> entries;
    // When no installed dictionary translates from the language: which
    // packages to install.
    QString missing;

    QString firstEntry() const { return entries.empty() ? QString() : entries.front().text; }
};

// Looks a word up in every dictionary from its language; a form none of
// them holds is looked up by its stems.
class WordLookup {
  public:
    WordLookup(const Dictionaries& dictionaries, Stemmer& stemmer)
        : dictionaries_(dictionaries), stemmer_(stemmer) {}

    WordEntries lookUp(const QString& word, QLocale::Language language) const;

    // "dict-freedict-eng-*" and "hunspell-en": the packages that bring the
    // language's dictionaries.
    static QString packagesFor(QLocale::Language language);

  private:
    std::vector<WordEntries::Entry> entriesOf(const QString& word,
                                              QLocale::Language language) const;

    const Dictionaries& dictionaries_;
    Stemmer& stemmer_;
};

}  // namespace lectern::platform
