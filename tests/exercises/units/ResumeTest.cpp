// Where the learner left off: each passage reached is kept at once, on disk,
// and Ctrl+Return in the main window opens the last lesson there, waiting
// for Space.
#include "exercises/ResumePoint.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/units/UnitWorkFixture.h"
#include "platform/desktop/UserSettings.h"
#include "support/FireTimer.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

using namespace lectern;
using lectern::test::UnitWorkFixture;

namespace {

constexpr int ReadingNode = 1;
constexpr int TestNode = 2;

// What the test reads of either lesson window.
struct LessonWindow {
    QWidget* window;
    platform::TMediaPlayer* player;
    QTimer* timer;
    std::function<int()> current;
    // The class of passage k in the lesson page.
    std::function<QString(int)> classOf;
};

struct Course : UnitWorkFixture {
    Course() {
        test::writeTone(folder.path() + "/data/sound/reading.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                        22050, 1, 3500);
    }
    mainwindow::TMainFrm& main() { return *windows->MainFrm; }

    LessonWindow windowOf(int node) {
        if (node == ReadingNode) {
            exercises::TViewTxtFrm& w = *windows->ViewTxtFrm;
            return {&w, w.MediaPlayer1, w.Timer1, [&w] { return w.CurrentMarkNumber(); },
                    [&w](int k) { return classIn(w.PageDocument, k); }};
        }
        exercises::TWorkTxtFrm& w = work();
        return {&w, w.MediaPlayer1, w.Timer1, [&w] { return w.CurrentMarkNumber(); },
                [&w](int k) { return classIn(w.LeftDocument, k); }};
    }
    static QString classIn(const platform::Variant& page, int k) {
        return exercises::FindElement(page, QStringLiteral("t%1").arg(k))
            .get("className")
            .toString();
    }
    void tick(const LessonWindow& lesson) {
        test.audio.advance(Tick);
        test::fireTimer(*lesson.timer);
    }
    void key(QWidget* window, int key, Qt::KeyboardModifiers modifiers = {}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key(key), modifiers);
        loadPages();
    }
    // What the settings file holds on disk now, as a program started after
    // a kill would read it.
    static QByteArray settingsOnDisk() {
        QFile file(platform::userSettings().fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace

class Resume : public testing::TestWithParam<bool> {};

TEST_P(Resume, APassageReachedIsOnDiskAtOnceAndCtrlReturnOpensTheLessonThereWaiting) {
    Course f;
    const int node = GetParam() ? f.UnitNode : ReadingNode;
    f.launch(node);
    LessonWindow lesson = f.windowOf(node);
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{lesson.window});
    QTest::keyClick(lesson.window, Qt::Key_Space);
    for (int i = 0; i < 6 && lesson.current() < 2; ++i)
        f.tick(lesson);
    ASSERT_EQ(lesson.current(), 2);
    EXPECT_TRUE(f.settingsOnDisk().contains(QStringLiteral("passage%1=2").arg(node).toUtf8()))
        << f.settingsOnDisk().toStdString();
    f.key(lesson.window, Qt::Key_Escape);

    // Run again as usual, it opens at passage 1 and its place stays kept
    // through the launcher's reset.
    f.launch(node);
    EXPECT_EQ(lesson.current(), 1);
    f.key(lesson.window, Qt::Key_Escape);
    // Another lesson is run: Ctrl+Return brings back that one, from anywhere
    // in the tree.
    f.launch(TestNode);
    f.key(f.windows->MultiFrm, Qt::Key_Escape);
    f.launch(node);
    f.key(lesson.window, Qt::Key_Escape);
    f.main().TreeView1->setCurrentIndex(f.main().TreeModel->indexOfNode(0));
    f.test.modal.shown.clear();

    // As the window system hands the key to the tree that has the focus.
    QKeyEvent ctrlReturn(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier);
    QApplication::sendEvent(f.main().TreeView1, &ctrlReturn);
    f.loadPages();
    ASSERT_EQ(f.test.modal.shown, std::vector<QWidget*>{lesson.window});
    EXPECT_EQ(f.main().SelectedIndex(), node);
    EXPECT_EQ(lesson.current(), 2);
    EXPECT_TRUE(lesson.classOf(2).startsWith("ins")) << lesson.classOf(2).toStdString();
    EXPECT_FALSE(lesson.classOf(1).startsWith("ins"));
    EXPECT_FALSE(lesson.player->Playing());
    EXPECT_FALSE(lesson.timer->isActive());

    // Space plays on from the start of passage 2, which stays current.
    f.key(lesson.window, Qt::Key_Space);
    EXPECT_TRUE(lesson.player->Playing());
    EXPECT_EQ(lesson.player->Position(), 1000);
    f.tick(lesson);
    EXPECT_EQ(lesson.current(), 2);
}

INSTANTIATE_TEST_SUITE_P(ReadingAndUnitWork, Resume, testing::Bool());

TEST(ResumePoint, CtrlReturnOpensALessonThatKeepsNoPlaceAndNothingBeforeAnyLessonRan) {
    Course f;
    mainwindow::TMainFrm& main = f.start();
    f.key(main.TreeView1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(f.test.modal.shown.empty());

    f.launch(TestNode);
    f.key(f.windows->MultiFrm, Qt::Key_Escape);
    f.test.modal.shown.clear();
    main.TreeView1->setCurrentIndex(main.TreeModel->indexOfNode(0));
    f.key(main.TreeView1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.test.modal.shown, std::vector<QWidget*>{f.windows->MultiFrm});
}

TEST(ResumePoint, AKeptPlaceThatIsNoLongerInTheCourseOpensAtTheStart) {
    Course f;
    mainwindow::TMainFrm& main = f.start();
    // Kept by an earlier run, before the course lost lessons and passages.
    exercises::ResumePoint::lessonRun(main.AppFolder(), ReadingNode);
    exercises::ResumePoint place;
    place.follow(main.AppFolder(), ReadingNode);
    place.reached(7);
    f.key(main.TreeView1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.windows->ViewTxtFrm->CurrentMarkNumber(), 1);
    EXPECT_TRUE(f.test.dialogs.boxes.empty());

    f.key(f.windows->ViewTxtFrm, Qt::Key_Escape);
    exercises::ResumePoint::lessonRun(main.AppFolder(), 999);
    f.test.modal.shown.clear();
    f.key(main.TreeView1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(f.test.modal.shown.empty());
}
