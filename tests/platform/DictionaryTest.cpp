// Dictionaries are read straight from their files: the index by binary
// search, the text through dictzip's chunk table, a form by its stem; a
// broken dictionary is left out with one message, and no malformed file
// reads outside itself.
#include "platform/dictionary/DictIndex.h"
#include "platform/dictionary/Dictionaries.h"
#include "platform/dictionary/DictzipReader.h"
#include "platform/dictionary/Stemmer.h"
#include "platform/dictionary/WordLookup.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lectern::platform;
using lectern::test::TempDir;
using lectern::test::testDataPath;

namespace {

QString fixtures() {
    return testDataPath(QStringLiteral("dictionaries"));
}

QByteArray fileBytes(const QString& name) {
    QFile file(fixtures() + QLatin1Char('/') + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

QString joined(const QStringList& entries) {
    return entries.join(QStringLiteral(" | "));
}

}  // namespace

TEST(DictionaryTest, FindsEveryEntryOfAHeadwordAsDictdSortsIt) {
    const Dictionaries dictionaries({fixtures()});
    ASSERT_EQ(dictionaries.all().size(), 2u);
    const Dictionary* english = dictionaries.from(QLocale::English).at(0);
    const Dictionary* french = dictionaries.from(QLocale::French).at(0);
    EXPECT_EQ(english->target(), QLocale::French);
    struct Case {
        const Dictionary* dictionary;
        const char* word;
        int count;
        const char* contains;
    } cases[] = {
        {english, "creature", 1, "créature"},
        {english, "Creature", 1, "créature"},  // case is folded
        {english, "a few", 1, "quelques"},     // blanks count
        {english, "abacus", 1, "boulier"},     // first of the letters
        {english, "zebra", 1, "zèbre"},        // last line, last chunk
        {english, "bank", 2, "rive"},          // both entries, across a chunk border
        {english, "aardvark", 0, ""},          // before the first
        {english, "zzz", 0, ""},               // after the last
        {english, "", 0, ""},
        {english, "!!", 0, ""},         // folds to nothing
        {french, "étoile", 1, "star"},  // plain .dict, a headword past ASCII
        {french, "Étoile", 1, "star"},
        {french, "soleil", 1, "sun"},
    };
    for (const Case& c : cases) {
        const QStringList entries = c.dictionary->entries(QString::fromUtf8(c.word));
        EXPECT_EQ(entries.size(), c.count) << c.word << ": " << joined(entries).toStdString();
        EXPECT_TRUE(joined(entries).contains(QString::fromUtf8(c.contains))) << c.word;
    }
}

TEST(DictionaryTest, ABrokenDictionaryIsLeftOutWithOneMessageNamingIt) {
    TempDir dir;
    dir.write(QStringLiteral("good-eng-fra.index"),
              fileBytes(QStringLiteral("fixture-eng-fra.index")));
    dir.write(QStringLiteral("good-eng-fra.dict.dz"),
              fileBytes(QStringLiteral("fixture-eng-fra.dict.dz")));
    dir.write(QStringLiteral("gzip-eng-deu.index"),
              fileBytes(QStringLiteral("broken-eng-deu.index")));
    dir.write(QStringLiteral("gzip-eng-deu.dict.dz"),
              fileBytes(QStringLiteral("broken-eng-deu.dict.dz")));
    dir.write(QStringLiteral("lonely-eng-ita.index"), "a\tA\tB\n");
    dir.write(QStringLiteral("nolanguages.index"), "a\tA\tB\n");
    dir.write(QStringLiteral("nolanguages.dict"), "a");
    const Dictionaries dictionaries({dir.path(), dir.path() + QStringLiteral("/missing")});
    ASSERT_EQ(dictionaries.all().size(), 1u);
    EXPECT_EQ(dictionaries.all()[0]->name(), QStringLiteral("good-eng-fra"));
    const QStringList problems = dictionaries.problems();
    ASSERT_EQ(problems.size(), 3) << joined(problems).toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("gzip-eng-deu.index")));
    EXPECT_TRUE(problems[0].contains(QStringLiteral("dictzip")));
    EXPECT_TRUE(problems[1].contains(QStringLiteral("lonely-eng-ita")));
    EXPECT_TRUE(problems[2].contains(QStringLiteral("languages")));
    EXPECT_EQ(dictionaries.sources(), QList<QLocale::Language>{QLocale::English});
}

TEST(DictionaryTest, NumbersAreDictdBase64AndMalformedLinesAreSkipped) {
    EXPECT_EQ(DictIndex::decodeNumber("A"), 0u);
    EXPECT_EQ(DictIndex::decodeNumber("/"), 63u);
    EXPECT_EQ(DictIndex::decodeNumber("BA"), 64u);
    EXPECT_EQ(DictIndex::decodeNumber("gyH"), (32u << 12) | (50u << 6) | 7u);
    EXPECT_EQ(DictIndex::decodeNumber(""), std::nullopt);
    EXPECT_EQ(DictIndex::decodeNumber("A=B"), std::nullopt);
    EXPECT_EQ(DictIndex::decodeNumber("AAAAAAAAAAA"), std::nullopt);  // past 60 bits
    const QByteArray index =
        "apple\tA\tC\r\n"
        "bank\tB\n"            // too few fields
        "bank\tB\tC\textra\n"  // a fourth field is allowed
        "bank\t?\tC\n"         // not a number
        "cherry\tD\tE";        // no last line break
    const DictIndex parsed{QByteArrayView(index)};
    ASSERT_EQ(parsed.find(QStringLiteral("apple")).size(), 1u);
    EXPECT_EQ(parsed.find(QStringLiteral("apple"))[0].length, 2u);
    ASSERT_EQ(parsed.find(QStringLiteral("bank")).size(), 1u);
    EXPECT_EQ(parsed.find(QStringLiteral("bank"))[0].offset, 1u);
    ASSERT_EQ(parsed.find(QStringLiteral("cherry")).size(), 1u);
    EXPECT_EQ(parsed.find(QStringLiteral("cherry"))[0].length, 4u);
    EXPECT_FALSE(parsed.isUtf8());
}

TEST(DictionaryTest, ATruncatedOrLyingDictzipFileFailsCleanly) {
    const QByteArray whole = fileBytes(QStringLiteral("fixture-eng-fra.dict.dz"));
    QByteArray out;
    QString why;
    const DictzipReader reader{QByteArrayView(whole)};
    ASSERT_TRUE(reader.failure().isEmpty());
    ASSERT_TRUE(reader.isCompressed());
    EXPECT_FALSE(reader.read(0, DictzipReader::maxPiece + 1, out, why));
    EXPECT_FALSE(reader.read(1'000'000, 1, out, why));
    EXPECT_FALSE(reader.read(quint64(-1), 2, out, why));
    // Every cut of the file either fails to open or reads only what it has.
    for (qsizetype size = 0; size < whole.size(); ++size) {
        const QByteArray cut = whole.left(size);
        const DictzipReader truncated{QByteArrayView(cut)};
        if (size > 1 && size < 40) {
            EXPECT_FALSE(truncated.failure().isEmpty()) << size;
        }
        why.clear();
        if (!truncated.read(0, 300, out, why)) {
            EXPECT_FALSE(why.isEmpty()) << size;
        }
    }
    // A chunk that does not inflate is said to, and not read.
    QByteArray garbled = whole;
    for (qsizetype i = whole.size() - 60; i < whole.size() - 8; ++i)
        garbled[i] = char(0xff);
    const DictzipReader bad{QByteArrayView(garbled)};
    EXPECT_FALSE(bad.read(0, 600, out, why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(DictionaryTest, AFormNoDictionaryHoldsIsLookedUpByItsStem) {
    const Dictionaries dictionaries({fixtures()});
    Stemmer stemmer;
    const WordLookup lookup(dictionaries, stemmer);
    const WordEntries creatures = lookup.lookUp(QStringLiteral("creatures"), QLocale::English);
    EXPECT_EQ(creatures.stem, QStringLiteral("creature"));
    EXPECT_TRUE(creatures.fromStem);
    EXPECT_TRUE(creatures.firstEntry().contains(QString::fromUtf8("créature")));
    const WordEntries planet = lookup.lookUp(QStringLiteral("planet"), QLocale::English);
    EXPECT_FALSE(planet.fromStem);
    EXPECT_EQ(planet.entries.size(), 1u);
    const WordEntries russian = lookup.lookUp(QStringLiteral("звезда"), QLocale::Russian);
    EXPECT_TRUE(russian.entries.empty());
    EXPECT_TRUE(russian.missing.contains(QStringLiteral("dict-freedict-rus-")));
    EXPECT_TRUE(russian.missing.contains(QStringLiteral("hunspell-ru")));
    const Dictionaries none{QStringList()};
    EXPECT_TRUE(WordLookup(none, stemmer)
                    .lookUp(QStringLiteral("star"), QLocale::English)
                    .missing.contains(QStringLiteral("dict-freedict-eng-fra")));
}

TEST(DictionaryTest, AStemmerLoadedAheadIsReadyForTheFirstWord) {
    Stemmer stemmer;
    EXPECT_FALSE(stemmer.ready(QLocale::English));
    stemmer.preload(QLocale::English);
    stemmer.preload(QLocale::English);
    // A language with no hunspell dictionary is looked for once, too.
    stemmer.preload(QLocale::Welsh);
    stemmer.finishLoading();
    EXPECT_TRUE(stemmer.ready(QLocale::English));
    EXPECT_TRUE(stemmer.ready(QLocale::Welsh));
    EXPECT_EQ(stemmer.stems(QStringLiteral("creatures"), QLocale::English),
              QStringList{QStringLiteral("creature")});
    EXPECT_TRUE(stemmer.stems(QStringLiteral("creaduriaid"), QLocale::Welsh).isEmpty());
    // A word asked for while its language still loads waits for the load.
    Stemmer meanwhile;
    meanwhile.preload(QLocale::English);
    EXPECT_EQ(meanwhile.stems(QStringLiteral("planets"), QLocale::English),
              QStringList{QStringLiteral("planet")});
    EXPECT_TRUE(meanwhile.ready(QLocale::English));
}
