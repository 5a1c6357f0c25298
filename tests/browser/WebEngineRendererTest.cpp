// Pages share one renderer: a page that loops or a renderer that dies must
// not leave the other pages blank, nor stop the lesson that shows one.
#include "browser/PageScript.h"
#include "exercises/markup/PageMarkup.h"
#include "platform/browser/EngineSwitches.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/files/CourseFiles.h"
#include "support/PageFiles.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <sys/types.h>
#include <csignal>

using namespace lectern::platform;
using lectern::exercises::FindElement;
using lectern::exercises::ShowPassage;
using lectern::test::waitUntil;

namespace {

const QByteArray lessonBody =
    "<a id=\"a1\"></a><p id=\"t1\" class=\"text\">One.</p>"
    "<a id=\"a2\"></a><p id=\"t2\" class=\"text\">Two.</p>"
    "<a id=\"a3\"></a><p id=\"t3\" class=\"text\">Three.</p>";

class WebEngineRendererTest : public ::testing::Test {
  protected:
    WebEngineRendererTest() {
        course.write("lesson.htm", lectern::test::htmlPage(lessonBody));
        course.write("other.htm", lectern::test::htmlPage("<p id=\"t1\">Other.</p>"));
        for (TCppWebBrowser* b : {&mainPane, &lesson}) {
            b->resize(500, 300);
            b->show();
        }
    }

    static QWebEnginePage* page(TCppWebBrowser& b) {
        auto* view = static_cast<QWebEngineView*>(b.view());
        return view ? view->page() : nullptr;
    }

    // A script's result in the shown page; invalid when it gives none in time.
    static QVariant js(TCppWebBrowser& b, const QString& script, int ms = 3000) {
        return lectern::test::pageAnswer(page(b), script, ms).value_or(QVariant());
    }

    static QString shownClass(TCppWebBrowser& b, const char* id) {
        return js(b, QStringLiteral("(document.getElementById('%1') || {}).className").arg(id))
            .toString();
    }

    static QString notice(TCppWebBrowser& b) {
        for (QLabel* label : b.findChildren<QLabel*>())
            if (label->isVisible())
                return label->text();
        return {};
    }

    lectern::test::TempDir course;
    CourseFiles files;
    WebEngineBrowserEngine engine{files, course.path()};
    TCppWebBrowser mainPane{engine};
    TCppWebBrowser lesson{engine};
};

TEST_F(WebEngineRendererTest, AKilledRendererGivesThePageBackWithTheLessonsChanges) {
    QSignalSpy complete(&lesson, &TCppWebBrowser::OnDocumentComplete);
    lesson.Navigate(course.path() + "/lesson.htm");
    ASSERT_TRUE(complete.wait(30000));
    const Variant doc = lesson.Document();
    ShowPassage(doc, 2);
    ASSERT_TRUE(waitUntil([&] { return shownClass(lesson, "t2") == "instext"; }));

    const qint64 pid = page(lesson)->renderProcessPid();
    ASSERT_GT(pid, 0);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    ASSERT_TRUE(waitUntil(
        [&] {
            const qint64 now = page(lesson)->renderProcessPid();
            return now > 0 && now != pid && shownClass(lesson, "t2") == "instext";
        },
        20000))
        << "the page comes back in a new renderer, passage 2 still highlighted";
    EXPECT_EQ(shownClass(lesson, "t1"), "text");
    EXPECT_TRUE(notice(lesson).isEmpty());

    // The lesson goes on, on the same document.
    lectern::exercises::MoveHighlight(doc, 2, 3);
    EXPECT_TRUE(waitUntil([&] { return shownClass(lesson, "t3") == "instext"; }));
    EXPECT_EQ(shownClass(lesson, "t2"), "text");
    EXPECT_EQ(complete.count(), 1) << "no second completion: the lesson keeps its document";
}

TEST_F(WebEngineRendererTest, ALoopingPageIsClosedAndTheNextLessonShowsWithinTenSeconds) {
    // One page loops from its markup on, as the first page of its renderer,
    // so that it never answered once; one loops once loaded: whichever way,
    // the pane that showed it gives a notice and the next lesson shows.
    for (const char* loop : {"<script>for (;;) {}</script>",
                             "<script>setTimeout(() => { for (;;) {} }, 200);</script>"}) {
        SCOPED_TRACE(loop);
        course.write("loop.htm",
                     lectern::test::htmlPage(QByteArray("<p id=\"t1\">Loop</p>") + loop));
        QSignalSpy mainComplete(&mainPane, &TCppWebBrowser::OnDocumentComplete);
        mainPane.Navigate(course.path() + "/loop.htm");
        QTest::qWait(2500);

        QElapsedTimer clock;
        clock.start();
        QSignalSpy complete(&lesson, &TCppWebBrowser::OnDocumentComplete);
        lesson.Navigate(course.path() + "/lesson.htm");
        ASSERT_TRUE(waitUntil([&] { return complete.count() > 0; }, 10000))
            << "the lesson's page completes";
        ShowPassage(lesson.Document(), 1);
        EXPECT_TRUE(waitUntil([&] { return shownClass(lesson, "t1") == "instext"; },
                              int(10000 - clock.elapsed())))
            << "and shows its first passage within ten seconds";
        EXPECT_TRUE(notice(lesson).isEmpty());
        EXPECT_TRUE(waitUntil([&] { return notice(mainPane).contains("loop.htm"); }))
            << "the looping page gives way to a notice";
        EXPECT_TRUE(notice(mainPane).contains("stopped answering"));
        EXPECT_TRUE(waitUntil([&] { return mainComplete.count() > 0; }))
            << "the looping page's navigation completes";

        // The pane shows the next page as ever.
        const qsizetype completed = mainComplete.count();
        mainPane.Navigate(course.path() + "/other.htm");
        ASSERT_TRUE(waitUntil([&] { return mainComplete.count() > completed; }, 10000));
        EXPECT_TRUE(notice(mainPane).isEmpty());
        EXPECT_TRUE(waitUntil([&] {
            return js(mainPane, "(document.getElementById('t1') || {}).textContent").toString() ==
                   "Other.";
        }));
    }
}

TEST_F(WebEngineRendererTest, TheRendererRunsUnderTheDataLimit) {
    // A page that allocates without end meets the limit in its own renderer,
    // which then ends and is replaced, instead of taking the desktop's memory.
    QSignalSpy complete(&lesson, &TCppWebBrowser::OnDocumentComplete);
    lesson.Navigate(course.path() + "/lesson.htm");
    ASSERT_TRUE(complete.wait(30000));
    const qint64 pid = page(lesson)->renderProcessPid();
    ASSERT_GT(pid, 0);
    QFile limits(QStringLiteral("/proc/%1/limits").arg(pid));
    ASSERT_TRUE(limits.open(QIODevice::ReadOnly));
    QByteArray dataLimit;
    for (const QByteArray& line : limits.readAll().split('\n'))
        if (line.startsWith("Max data size"))
            dataLimit = line.simplified();
    const QByteArray bytes = QByteArray::number(EngineSwitches::rendererDataBytes);
    EXPECT_EQ(dataLimit, "Max data size " + bytes + " " + bytes + " bytes");
}

}  // namespace
