// A word double-clicked in a lesson page is looked up in the installed
// dictionaries (tools/setup installs dict-freedict-eng-fra and
// hunspell-en-us): the narration waits while the popup is open, and the
// word goes into the course's word list with its stem and sentence.
#include "exercises/reading/ReadingLessonFixture.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/dictionary/Stemmer.h"
#include "platform/dictionary/WordChooser.h"
#include "platform/dictionary/WordList.h"
#include "platform/dictionary/WordPopup.h"
#include "platform/dictionary/Words.h"
#include "support/TempDir.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace lectern::test {
namespace {

const char* const englishPage =
    "<html lang=\"en\"><head><meta charset=\"utf-8\"></head><body><p>"
    "<a id=\"a1\"></a><span id=\"t1\" class=\"text\">The planets turn.</span> "
    "<a id=\"a2\"></a><span id=\"t2\" class=\"comm\">Strange creatures walk there.</span> "
    "<a id=\"a3\"></a><span id=\"t3\" class=\"text\">Stars shine.</span></p></body></html>";

struct WordLookupTest : ReadingLessonFixture, ::testing::Test {
    WordLookupTest() {
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QFile page(folder.path() + "/data/text/reading.htm");
        EXPECT_TRUE(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
        page.write(englishPage);
    }
    ~WordLookupTest() override { qunsetenv("XDG_DATA_HOME"); }

    platform::Words& words() { return windows->Words(); }
    void doubleClick(const QString& word, const QString& sentence) {
        test.browsers.doubleClickWord(
            reading().CppWebBrowser1,
            {word, sentence, QStringLiteral("en"), QRect(20, 20, 60, 14)});
    }

    TempDir data;
};

TEST_F(WordLookupTest, TheNarrationWaitsForThePopupAndTheWordIsKept) {
    if (!QFile::exists("/usr/share/dictd/freedict-eng-fra.index"))
        GTEST_SKIP() << "dict-freedict-eng-fra is not installed (tools/setup installs it)";
    exercises::TViewTxtFrm& window = launchAndPlay(2);
    const int before = window.MediaPlayer1->Position();
    doubleClick(QStringLiteral("creatures"), QStringLiteral("Strange creatures walk there."));
    ASSERT_TRUE(words().isOpen());
    EXPECT_TRUE(words().popup().text().contains(QString::fromUtf8("créature")))
        << words().popup().text().toStdString();
    EXPECT_EQ(words().popup().accessibleName(), QStringLiteral("Dictionary: creatures"));
    test.audio.advance(1500);
    EXPECT_EQ(window.MediaPlayer1->Position(), before);
    EXPECT_FALSE(window.Timer1->isActive());

    QTest::keyClick(words().popup().focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(words().isOpen());
    EXPECT_TRUE(window.Timer1->isActive());
    tick();
    EXPECT_EQ(window.MediaPlayer1->Position(), before + exercises::TViewTxtFrm::TickInterval);

    const auto& kept = words().list().words();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].word, QStringLiteral("creatures"));
    EXPECT_EQ(kept[0].stem, QStringLiteral("creature"));
    EXPECT_FALSE(kept[0].entry.isEmpty());
    EXPECT_EQ(kept[0].sentence, QStringLiteral("Strange creatures walk there."));

    // The list survives the program, and exports as one TSV line a word.
    const platform::WordList again(words().list().path());
    EXPECT_EQ(again.words().size(), 1u);
    QFile exported(words().exportList());
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_TRUE(exported.fileName().startsWith(data.path()));
    const QByteArray line = exported.readAll();
    EXPECT_TRUE(line.startsWith("creatures\tcreature\t")) << line.toStdString();
    EXPECT_EQ(line.count('\n'), 1);
    EXPECT_TRUE(line.endsWith("\tStrange creatures walk there.\n")) << line.toStdString();
}

TEST_F(WordLookupTest, LListsThePassageWordsAndReturnLooksOneUp) {
    exercises::TViewTxtFrm& window = launch();
    window.TrackBar1->setValue(1);  // passage 2
    window.show();
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_L);
    platform::WordChooser& chooser = words().chooser();
    ASSERT_TRUE(chooser.isVisible());
    auto* list = chooser.findChild<QListWidget*>();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Strange"));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(chooser.isVisible());
    ASSERT_TRUE(words().isOpen());
    EXPECT_EQ(words().list().words().back().word, QStringLiteral("creatures"));
    EXPECT_EQ(words().list().words().back().sentence,
              QStringLiteral("Strange creatures walk there."));
    words().popup().hide();
}

TEST_F(WordLookupTest, ALessonPageLoadsItsStemmerAheadAndNothingLoadsAtRest) {
    QFile description(folder.path() + "/data/descr/reading.htm");
    ASSERT_TRUE(description.open(QIODevice::WriteOnly | QIODevice::Truncate));
    description.write(englishPage);
    description.close();
    mainwindow::TMainFrm& main = start();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(ReadingNode));
    loadPages();
    platform::Stemmer& stemmer = words().stemmer();
    stemmer.finishLoading();
    EXPECT_FALSE(stemmer.ready(QLocale::English)) << "an English description loads nothing";
    EXPECT_FALSE(words().popup().testAttribute(Qt::WA_WState_Created));

    main.m22Click();  // the reading lesson
    loadPages();
    // Whatever the page began is waited for here, before any word is asked.
    stemmer.finishLoading();
    EXPECT_TRUE(stemmer.ready(QLocale::English));
    // The popup's window is made too, hidden until the first word.
    EXPECT_TRUE(words().popup().testAttribute(Qt::WA_WState_Created));
    EXPECT_FALSE(words().isOpen());
}

TEST_F(WordLookupTest, NoDictionaryForThePageLanguageNamesThePackages) {
    launch();
    test.browsers.doubleClickWord(reading().CppWebBrowser1,
                                  {QStringLiteral("звезды"), QString(), QStringLiteral("ru"), {}});
    ASSERT_TRUE(words().isOpen());
    EXPECT_TRUE(words().popup().text().contains(QStringLiteral("hunspell-ru")));
    EXPECT_TRUE(words().list().words().empty());
    words().popup().hide();
}

}  // namespace
}  // namespace lectern::test
