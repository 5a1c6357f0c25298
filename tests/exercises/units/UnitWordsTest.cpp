// Words looked up in the unit work window: the sound, a cycle's too, waits
// while the popup is open and goes on from the same place when it closes;
// `L` lists the lesson page's current passage; a take holds every lookup.
#include "exercises/LessonWords.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/units/UnitWorkFixture.h"
#include "platform/dictionary/WordChooser.h"
#include "platform/dictionary/WordPopup.h"
#include "platform/dictionary/Words.h"
#include "support/FireTimer.h"

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace lectern;
using lectern::test::UnitWorkFixture;

namespace {

platform::Words& words(UnitWorkFixture& f) {
    return f.windows->Words();
}

void doubleClick(UnitWorkFixture& f, platform::TCppWebBrowser* page, const QString& word) {
    f.test.browsers.doubleClickWord(page, {word, word + '.', QString(), QRect(20, 20, 40, 14)});
}

void closePopup(UnitWorkFixture& f) {
    QTest::keyClick(words(f).popup().focusWidget(), Qt::Key_Escape);
}

}  // namespace

TEST(UnitWords, TheSoundWaitsForThePopupInPlainPlayAndInACycle) {
    for (const bool cycle : {false, true}) {
        SCOPED_TRACE(cycle ? "cycle" : "plain");
        UnitWorkFixture f;
        exercises::TWorkTxtFrm& w = f.launch();
        w.show();
        if (cycle) {
            f.pick(3);
            w.caaClick();
            f.pick(4);
            w.caaClick();
            w.caaClick();  // Play cycle, from the end of passage 2
        } else {
            w.m11Click();
        }
        for (int i = 0; i < 4; ++i)
            f.tick();
        const int at = w.MediaPlayer1->Position();
        const int passage = w.CurrentMarkNumber();
        const QString shown = f.pages();

        // Either page's word holds the sound until the popup closes.
        doubleClick(f, cycle ? w.CppWebBrowser1 : w.CppWebBrowser2, QStringLiteral("Three"));
        ASSERT_TRUE(words(f).isOpen());
        EXPECT_FALSE(w.Timer1->isActive());
        EXPECT_TRUE(w.Lookup->holding());
        f.test.audio.advance(2000);
        EXPECT_EQ(w.MediaPlayer1->Position(), at);
        // The next word replaces the popup; the sound still waits.
        doubleClick(f, w.CppWebBrowser1, QStringLiteral("Four"));
        EXPECT_FALSE(w.Timer1->isActive());

        closePopup(f);
        EXPECT_FALSE(words(f).isOpen());
        ASSERT_TRUE(w.Timer1->isActive());
        EXPECT_FALSE(w.IsPaused());
        EXPECT_EQ(w.IsCycleMode(), cycle);
        EXPECT_EQ(w.CurrentMarkNumber(), passage);
        EXPECT_EQ(f.pages(), shown);
        f.tick();
        EXPECT_EQ(w.MediaPlayer1->Position(), at + UnitWorkFixture::Tick);

        // Paused by the learner, the window stays paused after a lookup.
        w.m22Click();
        doubleClick(f, w.CppWebBrowser2, QStringLiteral("Vier"));
        closePopup(f);
        EXPECT_TRUE(w.IsPaused());
        EXPECT_FALSE(w.Timer1->isActive());
    }
}

TEST(UnitWords, LListsTheLessonPagesPassageAndATakeHoldsEveryLookup) {
    UnitWorkFixture f;
    exercises::TWorkTxtFrm& w = f.launch();
    w.show();
    w.activateWindow();
    f.pick(3);
    QTest::keyClick(&w, Qt::Key_L);
    platform::WordChooser& chooser = words(f).chooser();
    ASSERT_TRUE(chooser.isVisible());
    auto* list = chooser.findChild<QListWidget*>();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Three"));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(words(f).isOpen());
    closePopup(f);

    // While the learner's voice is recorded, neither a double-click nor `L`
    // brings anything up.
    f.recordTake(200);
    ASSERT_TRUE(w.Practice->Takes->recording());
    doubleClick(f, w.CppWebBrowser1, QStringLiteral("Three"));
    EXPECT_FALSE(words(f).isOpen());
    w.Lookup->chooseFromPassage();
    EXPECT_FALSE(chooser.isVisible());
    w.Practice->Takes->stop();
}
