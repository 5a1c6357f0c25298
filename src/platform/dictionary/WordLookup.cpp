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

WordEntries WordLookup::lookUp(const QString& word, QLocale::Language language) const {
    WordEntries result;
    result.word = word;
    const std::vector<const Dictionary*> dictionaries = dictionaries_.from(language);
    if (dictionaries.empty()) {
        const QString name = language == QLocale::AnyLanguage
                                 ? QStringLiteral("this page's language")
                                 : QLocale::languageToString(language);
        result.missing = QStringLiteral("No dictionary from %1 is installed. Install %2.")
                             .arg(name, packagesFor(language));
        return result;
    }
    const QStringList stems = stemmer_.stems(word, language);
    result.stem = stems.value(0);
    for (const Dictionary* dictionary : dictionaries) {
        QStringList texts = dictionary->entries(word);
        QString stem;
        for (qsizetype i = 0; texts.isEmpty() && i < stems.size(); ++i) {
            texts = dictionary->entries(stems[i]);
            stem = stems[i];
        }
        for (const QString& text : texts)
            result.entries.push_back({dictionary->name(), text, stem});
        result.fromStem = result.fromStem || (!texts.isEmpty() && !stem.isEmpty());
    }
    return result;
}

}  // namespace lectern::platform
