#include "platform/dictionary/WordLookup.h"

#include "platform/dictionary/Dictionaries.h"
#include "platform/dictionary/Stemmer.h"

namespace lectern::platform {

QString WordLookup::packagesFor(QLocale::Language language) {
    const QString three = QLocale::languageToCode(language, QLocale::ISO639Part2);
    const QString two = QLocale::languageToCode(language, QLocale::ISO639Part1);
    if (three.isEmpty() || language == QLocale::AnyLanguage)
        return QStringLiteral(
            "dict-freedict-eng-fra and hunspell-en-us, or another "
            "dict-freedict-* package");
    if (language == QLocale::English)
        return QStringLiteral(
            "dict-freedict-eng-fra (or another dict-freedict-eng-* package) "
            "and hunspell-en-us");
    return QStringLiteral("a dict-freedict-%1-* package and hunspell-%2").arg(three, two);
}

std::vector<WordEntries::Entry> WordLookup::entriesOf(const QString& word,
                                                      QLocale::Language language) const {
    std::vector<WordEntries::Entry> found;
    for (const Dictionary* dictionary : dictionaries_.from(language))
        for (const QString& text : dictionary->entries(word))
            found.push_back({dictionary->name(), text});
    return found;
}

WordEntries WordLookup::lookUp(const QString& word, QLocale::Language language) const {
    WordEntries result;
    result.word = word;
    if (dictionaries_.from(language).empty()) {
        const QString name = language == QLocale::AnyLanguage
                                 ? QStringLiteral("this page's language")
                                 : QLocale::languageToString(language);
        result.missing = QStringLiteral("No dictionary from %1 is installed. Install %2.")
                             .arg(name, packagesFor(language));
        return result;
    }
    result.entries = entriesOf(word, language);
    if (!result.entries.empty())
        return result;
    const QStringList stems = stemmer_.stems(word, language);
    for (const QString& stem : stems) {
        result.entries = entriesOf(stem, language);
        if (!result.entries.empty()) {
            result.stem = stem;
            result.fromStem = true;
            return result;
        }
    }
    result.stem = stems.value(0);
    return result;
}

}  // namespace lectern::platform
