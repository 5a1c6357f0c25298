// The browser component over Qt WebEngine: pages shown, the document model
// and the shown page kept in step both ways, and pages kept inside the course.
#include "browser/PageScript.h"
#include "browser/WebEnginePageFixture.h"
#include "exercises/markup/PageMarkup.h"
#include "platform/Error.h"
#include "platform/browser/PageCompositing.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/files/CourseFiles.h"
#include "support/Cp1251.h"
#include "support/ErrorOf.h"
#include "support/PageFiles.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <cmath>
#include <functional>

using namespace lectern::platform;
using lectern::exercises::FindElement;
using lectern::exercises::FindInput;
using lectern::exercises::InputChecked;
using lectern::exercises::PageSnapshot;
using lectern::exercises::SetClass;
using lectern::exercises::ShowPassage;
using lectern::test::testDataPath;

using lectern::test::waitUntil;

namespace {

class WebEngineBrowserTest : public lectern::test::WebEnginePageFixture {
  protected:
    WebEngineBrowserTest() : WebEnginePageFixture(QSize(900, 700)) {}
};

// A browser over Qt WebEngine, shown, on a course folder the test wrote.
struct CourseBrowser {
    explicit CourseBrowser(const QString& folder) : course(folder) {
        browser.resize(600, 400);
        browser.show();
    }
    // Shows a page of the course, its path joined by `separator` as a course
    // may write it, and gives its document once it is complete.
    Variant load(const QString& name, const QString& separator = "/") {
        QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
        browser.Navigate(course + separator + name);
        // Never from within Navigate, where a window is still setting up.
        EXPECT_EQ(complete.count(), 0) << name.toStdString();
        EXPECT_TRUE(complete.count() > 0 || complete.wait(30000)) << name.toStdString();
        return browser.Document();
    }
    QWebEnginePage* page() { return static_cast<QWebEngineView*>(browser.view())->page(); }

    QString course;
    CourseFiles files;
    WebEngineBrowserEngine engine{files, course};
    TCppWebBrowser browser{engine};
};

// A screen reader is given the windows the learner sees, not the hidden
// window each view draws its page in.
TEST_F(WebEngineBrowserTest, AScreenReaderFindsTheWindowsButNotTheViewsRenderWindows) {
    load("lesson.htm");
    QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
    ASSERT_TRUE(application);
    EXPECT_EQ(application->role(), QAccessible::Application);
    QStringList windows;
    for (int i = 0; i < application->childCount(); ++i) {
        QAccessibleInterface* window = application->child(i);
        ASSERT_TRUE(window && window->object());
        windows << QString::fromLatin1(window->object()->metaObject()->className()) + " '" +
                       window->text(QAccessible::Name) + "'";
        EXPECT_EQ(application->indexOfChild(window), i);
    }
    EXPECT_EQ(windows, QStringList("lectern::platform::TCppWebBrowser ''"));
}

// The reading point moves to a passage as a screen reader needs it, and the
// learner sees nothing of it: no scrolling, no focus ring, keys stay with
// the window.
TEST_F(WebEngineBrowserTest, FocusPassageMovesTheReadingPointWithoutAnythingToSee) {
    const Variant doc = load("lesson.htm");
    QWidget* keys = QApplication::focusWidget();
    lectern::exercises::FocusPassage(doc, 2);
    ASSERT_TRUE(waitUntil([&] { return js("document.activeElement.id").toString() == "t2"; }))
        << js("document.activeElement.id").toString().toStdString();
    EXPECT_EQ(js("getComputedStyle(document.activeElement).outlineStyle").toString(), "none");
    EXPECT_EQ(js("window.scrollY").toInt(), 0);
    EXPECT_EQ(QApplication::focusWidget(), keys);
}

TEST_F(WebEngineBrowserTest, ShowPassageReachesTheShownPageInOrder) {
    EXPECT_EQ(browser.view(), nullptr);  // made at the first navigation only
    const Variant doc = load("lesson.htm");
    ASSERT_TRUE(doc.isObject());
    ASSERT_NE(browser.view(), nullptr);
    EXPECT_EQ(FindElement(doc, "t1").get("className").toString(), "text");
    EXPECT_EQ(FindElement(doc, "t1").get("innerHTML").toString(),
              QString::fromUtf8("Первый отрывок."));

    ShowPassage(doc, 1);
    lectern::exercises::MoveHighlight(doc, 1, 3);
    lectern::exercises::MoveHighlight(doc, 3, 2);
    ASSERT_TRUE(waitUntil([&] { return js("clicked.join(',')").toString() == "1,3,2"; }))
        << js("clicked.join(',')").toString().toStdString();
    EXPECT_EQ(js("document.getElementById('t1').className").toString(), "text");
    EXPECT_EQ(js("document.getElementById('t2').className").toString(), "inscomm");
    EXPECT_EQ(js("document.getElementById('t3').className").toString(), "text");
    const auto background = [&](const char* id) {
        return js(QStringLiteral("getComputedStyle(document.getElementById('%1')).backgroundColor")
                      .arg(id))
            .toString();
    };
    EXPECT_EQ(background("t2"), "rgb(255, 255, 0)");
    EXPECT_EQ(background("t1"), "rgb(255, 255, 255)");

    // What the learner sees: passage 2 on the highlight colour, passage 1 not.
    QTest::qWait(500);
    const QImage shot = browser.view()->grab().toImage();
    shot.save(QCoreApplication::applicationDirPath() + "/show-passage-2.png");
    const QRect t1 = rectOf("t1");
    const QRect t2 = rectOf("t2");
    const qreal ratio = shot.devicePixelRatio();
    const auto pixel = [&](const QRect& r) {
        return shot.pixelColor(QPoint(r.right() - 4, r.center().y()) * ratio);
    };
    EXPECT_EQ(pixel(t2), QColor(255, 255, 0)) << pixel(t2).name().toStdString();
    EXPECT_EQ(pixel(t1), QColor(255, 255, 255)) << pixel(t1).name().toStdString();
}

TEST_F(WebEngineBrowserTest, APageOfInPageAnchorsPlaysToItsEndOnOneModel) {
    // The click targets jump to their passages (<a href="#t3">): each jump
    // scrolls the shown page, and none may make a new document.
    const Variant doc = load("anchors.htm");
    QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
    const auto shownClass = [&](int k) {
        return js(QStringLiteral("document.getElementById('t%1').className").arg(k)).toString();
    };
    for (int k = 1; k <= 6; ++k) {
        // Ticks of the reading window while passage k is current.
        for (int tick = 0; tick < 3; ++tick) {
            if (k > 1)
                lectern::exercises::MarkRest(FindElement(doc, QStringLiteral("t%1").arg(k - 1)));
            ShowPassage(doc, k);
            QTest::qWait(30);
        }
        ASSERT_TRUE(waitUntil([&] { return shownClass(k) == "instext"; })) << k;
        if (k > 1) {
            EXPECT_EQ(shownClass(k - 1), "text") << k;
        }
        EXPECT_GT(js("window.scrollY").toInt(), (k - 1) * 500) << "the jump scrolled to " << k;
    }
    // The end of the text: back to passage 1.
    lectern::exercises::MarkRest(FindElement(doc, "t6"));
    ShowPassage(doc, 1);
    ASSERT_TRUE(waitUntil([&] { return shownClass(1) == "instext" && shownClass(6) == "text"; }));
    QTest::qWait(300);
    EXPECT_EQ(complete.count(), 0) << "the page was parsed again";
    EXPECT_EQ(FindElement(browser.Document(), "t1").get("className").toString(), "instext");
}

TEST_F(WebEngineBrowserTest, TheLearnersClicksAndTypingReachTheModelAndTheSnapshot) {
    const Variant doc = load("test.htm");
    QWidget* input = browser.view()->focusProxy();
    ASSERT_NE(input, nullptr);
    browser.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&browser));
    input->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(waitUntil([&] { return input->hasFocus(); }, 3000))
        << (QApplication::activeWindow() ? "active" : "no active window");
    EXPECT_EQ(InputChecked(FindInput(doc, 4)), "False");
    QTest::mouseClick(input, Qt::LeftButton, {}, rectOf("q4").center());
    ASSERT_TRUE(waitUntil([&] { return InputChecked(FindInput(doc, 4)) == "True"; }));
    QTest::mouseClick(input, Qt::LeftButton, {}, rectOf("q2").center());
    QTest::mouseClick(input, Qt::LeftButton, {}, rectOf("q1").center());
    ASSERT_TRUE(waitUntil([&] { return InputChecked(FindInput(doc, 1)) == "True"; }));
    EXPECT_EQ(InputChecked(FindInput(doc, 2)), "False");

    QTest::mouseClick(input, Qt::LeftButton, {}, rectOf("answer").center());
    QTest::keyClicks(input, "Ann");
    ASSERT_TRUE(
        waitUntil([&] { return FindElement(doc, "answer").get("value").toString() == "Ann"; }));
    QTest::mouseClick(input, Qt::LeftButton, {}, rectOf("essay").center());
    QTest::keyClicks(input, "x<y");
    ASSERT_TRUE(
        waitUntil([&] { return FindElement(doc, "essay").get("value").toString() == "x<y"; }));

    const QString snapshot = PageSnapshot(doc);
    EXPECT_TRUE(snapshot.contains(QRegularExpression(R"(<input [^>]*id="q4"[^>]* checked)")))
        << snapshot.toStdString();
    EXPECT_TRUE(snapshot.contains(QRegularExpression(R"(<input [^>]*id="q1"[^>]* checked)")));
    EXPECT_FALSE(snapshot.contains(QRegularExpression(R"(<input [^>]*id="q2"[^>]* checked)")));
    EXPECT_TRUE(snapshot.contains(QRegularExpression(R"(id="answer"[^>]* value="Ann")")));
    EXPECT_TRUE(snapshot.contains(">x&lt;y</textarea>"));

    // A click made through the model ticks the shown page too.
    FindInput(doc, 4).call("Click");
    EXPECT_EQ(InputChecked(FindInput(doc, 4)), "False");
    ASSERT_TRUE(waitUntil([&] { return !js("document.getElementById('q4').checked").toBool(); }));
}

TEST_F(WebEngineBrowserTest, PagesReachNothingOutsideTheCourse) {
    const Variant doc = load("leak.htm");
    ASSERT_TRUE(doc.isObject());
    ASSERT_TRUE(waitUntil([&] { return js("document.readyState").toString() == "complete"; }));
    const QStringList blocked = engine.blockedRequests();
    const auto wasBlocked = [&](const QString& tail) {
        return std::any_of(blocked.begin(), blocked.end(),
                           [&](const QString& url) { return url.endsWith(tail); });
    };
    // "../outside/" from the course's top stays in the course, which has
    // no such folder; whatever passes is a course address.
    const QStringList passed = engine.passedRequests();
    for (const QString& url : passed)
        EXPECT_TRUE(url.startsWith("lectern://course/")) << url.toStdString();
    EXPECT_TRUE(passed.contains("lectern://course/picture.png")) << passed.join(' ').toStdString();
    EXPECT_FALSE(wasBlocked("picture.png")) << blocked.join(' ').toStdString();
    EXPECT_EQ(js("document.getElementById('inside').naturalWidth").toInt(), 8);
    EXPECT_EQ(js("document.getElementById('outside').naturalWidth").toInt(), 0);
    EXPECT_EQ(js("document.getElementById('network').naturalWidth").toInt(), 0);
    EXPECT_EQ(js("document.getElementById('remote').naturalWidth").toInt(), 0);
    EXPECT_FALSE(js("window.evilRan === true").toBool());
    // Scripts run, but cannot open windows.
    EXPECT_TRUE(js("window.open('lesson.htm') === null").toBool());
}

TEST_F(WebEngineBrowserTest, PagesThatCannotBeShownStillComplete) {
    const Variant missing = load("no-such-page.htm");
    ASSERT_TRUE(missing.isObject());
    EXPECT_EQ(lectern::test::errorOf([&] { FindElement(missing, "t1"); }),
              "Element 't1' not found: the page " + course + "/no-such-page.htm does not exist");
    const Variant outside = load("../outside/evil.js");
    EXPECT_THROW(FindElement(outside, "t1"), Error);
    // The next page shows as usual.
    EXPECT_EQ(FindElement(load("lesson.htm"), "t2").get("className").toString(), "comm");
}

TEST_F(WebEngineBrowserTest, PagesShareOneRendererAndAReleasedPageComesBackAtTheNextNavigation) {
    load("lesson.htm");
    TCppWebBrowser other{engine};
    other.resize(400, 300);
    other.show();
    QSignalSpy complete(&other, &TCppWebBrowser::OnDocumentComplete);
    const auto renderer = [](TCppWebBrowser& b) {
        return static_cast<QWebEngineView*>(b.view())->page()->renderProcessPid();
    };
    other.Navigate(course + "/test.htm");
    ASSERT_TRUE(complete.wait(30000));
    EXPECT_GT(renderer(browser), 0);
    EXPECT_EQ(renderer(other), renderer(browser));

    // Released with a load under way: the view goes, the load never
    // reports, and the last document stays.
    other.Navigate(course + "/lesson.htm");
    other.Release();
    EXPECT_EQ(other.view(), nullptr);
    QTest::qWait(2000);
    EXPECT_EQ(complete.count(), 1);
    EXPECT_NO_THROW(FindElement(other.Document(), "q1"));

    other.Navigate(course + "/lesson.htm");
    ASSERT_TRUE(complete.wait(30000));
    ASSERT_NE(other.view(), nullptr);
    EXPECT_EQ(renderer(other), renderer(browser));
    EXPECT_EQ(FindElement(other.Document(), "t2").get("className").toString(), "comm");
}

// A page shown at twice its size lays out in half as many CSS pixels, and
// keeps that size through a new navigation and a released view.
TEST_F(WebEngineBrowserTest, TheZoomScalesThePageAndStaysForLaterPages) {
    load("lesson.htm");
    const int own = js("window.innerWidth").toInt();
    ASSERT_GT(own, 0);
    browser.SetZoom(2);
    EXPECT_TRUE(
        waitUntil([&] { return std::abs(js("window.innerWidth").toInt() - own / 2) <= 2; }));
    browser.Release();
    load("test.htm");
    EXPECT_NEAR(js("window.innerWidth").toInt(), own / 2, 2);
    EXPECT_EQ(browser.width(), 900) << "the widget keeps its size";
}

TEST_F(WebEngineBrowserTest, TheModelIsThePageAsItsScriptsLeftIt) {
    const Variant doc = load("scripts.htm");
    ASSERT_TRUE(doc.isObject());
    // The load event has run by the time the load is reported.
    EXPECT_EQ(FindElement(doc, "t9").get("className").toString(), "comm");
    EXPECT_THROW(FindElement(doc, "t2"), Error);
    lectern::exercises::MarkCurrent(FindElement(doc, "t9"));
    EXPECT_TRUE(waitUntil(
        [&] { return js("document.getElementById('t9').className").toString() == "inscomm"; }));
}

}  // namespace

namespace {

TEST(WebEngineBadPagesTest, BadPagesCompleteWithoutHarm) {
    lectern::test::TempDir course;
    const QByteArray huge = lectern::test::htmlPage(
        "<p id=\"t1\" class=\"text\">" +
        QByteArray("Sixty-four bytes of text that make a very large page, line. \n")
            .repeated(6 * 1024 * 1024 / 64) +
        "</p>");
    QByteArray binary;
    for (int i = 0; i < 65536; ++i)
        binary.append(static_cast<char>((i * 131) % 256));
    course.write("deep.htm", lectern::test::deepPage(20000));
    course.write("huge.htm", huge);
    course.write("binary.htm", binary);
    course.write("sound.wav", "RIFF\x24\0\0\0WAVEfmt ");
    course.write("invalid.htm", "<p id=\"t1\">\xff\xfe\xc3(\x80 ok</p>");

    CourseBrowser shown(course.path());
    TCppWebBrowser& browser = shown.browser;
    for (const char* name : {"invalid.htm", "binary.htm", "sound.wav", "huge.htm", "deep.htm"}) {
        SCOPED_TRACE(name);
        QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
        browser.Navigate(course.path() + "/" + name);
        // The engine itself takes its time over the large and the deep page.
        ASSERT_TRUE(complete.wait(120000));
        const Variant doc = browser.Document();
        ASSERT_TRUE(doc.isObject());
        PageSnapshot(doc);
    }
    // The engine flattens what nests too deep, but the passage is there;
    // on a busy machine the engine may take so long over it that the page is
    // closed as one that stopped answering, and says so.
    const QString deep = lectern::test::errorOf([&] {
        EXPECT_EQ(FindElement(browser.Document(), "t1").get("innerHTML").toString(), "deep");
    });
    EXPECT_TRUE(deep == "(no error)" || deep.contains("deep.htm stopped answering"))
        << deep.toStdString();
}

TEST(WebEngineBadPagesTest, APageOverSixteenMegabytesIsRefusedWithAMessageAndTheNextOneShows) {
    lectern::test::TempDir course;
    course.write("huge.htm", lectern::test::htmlPage("<p id=\"t1\" class=\"text\">" +
                                                     QByteArray(17 << 20, 'x') + "</p>"));
    course.write("next.htm", lectern::test::htmlPage("<p id=\"t1\" class=\"text\">next</p>"));
    CourseBrowser shown(course.path());
    const auto load = [&](const char* name) { return shown.load(name, "\\"); };
    const QString message =
        "the page " + course.path() + "/huge.htm cannot be read: it is larger than 16 MB";
    const Variant huge = load("huge.htm");
    EXPECT_EQ(lectern::test::errorOf([&] { FindElement(huge, "t1"); }),
              "Element 't1' not found: " + message);
    const std::optional<QVariant> why =
        lectern::test::pageAnswer(shown.page(), "document.body.innerText");
    ASSERT_TRUE(why.has_value());
    EXPECT_EQ(why->toString().trimmed(), message) << "the page shows why";
    EXPECT_EQ(FindElement(load("next.htm"), "t1").get("innerHTML").toString(), "next");
}

}  // namespace

namespace {

// A page shown again is modelled from the markup kept from its last showing
// only while that markup is still what the page is: the file's bytes
// unchanged, and nothing but the file shaping the document.
TEST(WebEnginePageShownAgain, IsModelledAsThePageIsNotAsTheLessonLeftIt) {
    lectern::test::TempDir course;
    const QByteArray two =
        "<html><body><a id=\"a1\"></a><p id=\"t1\" class=\"text\">One</p>"
        "<a id=\"a2\"></a><p id=\"t2\" class=\"text\">Two</p></body></html>";
    course.write("static.htm", two);
    course.write("scripted.htm",
                 "<html><body><p id=\"t1\" class=\"text\">One</p><script>"
                 "var p = document.createElement('p'); p.id = 'late';"
                 "p.textContent = String(Math.random()); document.body.appendChild(p);"
                 "</script></body></html>");
    CourseBrowser shown(course.path());
    TCppWebBrowser& browser = shown.browser;
    WebEngineBrowserEngine& engine = shown.engine;
    const auto load = [&](const char* name) { return shown.load(name); };
    const auto js = [&](const QString& script) {
        return lectern::test::scriptResult(shown.page(), script).toString();
    };
    const auto text = [](const Variant& doc, const char* id) {
        return FindElement(doc, id).get("innerHTML").toString();
    };

    ShowPassage(load("static.htm"), 1);
    ASSERT_NE(engine.markupCache().find(course.path() + "/static.htm"), nullptr);
    QWebEnginePage* page = shown.page();
    QWebEngineScript probe;
    probe.setInjectionPoint(QWebEngineScript::DocumentReady);  // after DOMContentLoaded
    probe.setWorldId(QWebEngineScript::MainWorld);
    probe.setSourceCode("window.whenParsed = document.getElementById('t2').className;");
    page->scripts().insert(probe);
    // The lesson shows passage 2 as it gets the page, then marks it once more.
    const QMetaObject::Connection lesson =
        QObject::connect(&browser, &TCppWebBrowser::OnDocumentComplete, [&] {
            ShowPassage(browser.Document(), 2);
            QTimer::singleShot(0,
                               [&] { SetClass(FindElement(browser.Document(), "t2"), "later"); });
        });
    Variant again = load("static.htm");
    QObject::disconnect(lesson);
    EXPECT_EQ(FindElement(again, "t1").get("className").toString(), "text")
        << "not the highlight of the last showing";
    EXPECT_TRUE(waitUntil([&] { return !page->isLoading() && js("window.whenParsed") != ""; }));
    page->scripts().remove(probe);
    EXPECT_EQ(js("window.whenParsed"), "instext")
        << "the lesson's first change is in the page as soon as it is parsed";
    EXPECT_EQ(js("document.getElementById('t2').className"), "later")
        << "a change made while the page loads follows the first ones";
    ShowPassage(again, 1);
    EXPECT_TRUE(waitUntil([&] { return js("document.getElementById('t1').className") != "text"; }))
        << "changes to the model reach the loaded page";

    course.write("static.htm", QByteArray(two).replace("One", "Uno"));
    EXPECT_EQ(text(load("static.htm"), "t1"), "Uno") << "a changed file is read anew";

    for (int showing = 0; showing < 2; ++showing) {
        const Variant scripted = load("scripted.htm");
        EXPECT_EQ(text(scripted, "late"), js("document.getElementById('late').textContent"))
            << "a page its scripts shape is always taken from the engine";
    }
}

}  // namespace

// A page whose name a zip file made on Windows kept in the code page's
// bytes is shown at its course address, so what it names relative to
// itself is found next to it.
TEST(WebEngineLegacyNames, APageKeepsItsStyleSheetPicturesAnchorsAndLinks) {
    lectern::test::TempDir course;
    course.write("Data/Descr/style.css", "#t1 { color: rgb(0, 128, 0) }");
    course.write("Data/Descr/picture.png", lectern::test::testPage("course/picture.png"));
    course.write("Data/Descr/next.htm", lectern::test::htmlPage("<p id=\"t1\">next</p>"));
    course.write("Data/Descr/page.htm",
                 lectern::test::cp1251(QString::fromUtf8(
                     "<html><head><link rel=\"stylesheet\" href=\"STYLE.css\"></head><body>"
                     "<p id=\"t1\" class=\"text\">Первый</p><img id=\"pic\" src=\"picture.png\">"
                     "<a id=\"jump\" href=\"#t2\">jump</a><div style=\"height: 3000px\"></div>"
                     "<p id=\"t2\">Второй</p><a id=\"next\" href=\"next.htm\">next</a>"
                     "</body></html>")));
    const QByteArray folder = QFile::encodeName(course.path() + "/Data/Descr/");
    ASSERT_EQ(::rename((folder + "page.htm").constData(),
                       (folder + lectern::test::cp1251(QString::fromUtf8("Урок.htm"))).constData()),
              0);

    CourseFiles files;
    files.decoding().setLegacyCodePage("CP1251");
    WebEngineBrowserEngine engine{files, course.path()};
    TCppWebBrowser browser{engine};
    browser.resize(600, 400);
    browser.show();
    QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
    browser.Navigate(course.path() + QString::fromUtf8("\\data\\descr\\урок.htm"));
    ASSERT_TRUE(complete.wait(30000));
    EXPECT_EQ(FindElement(browser.Document(), "t1").get("innerHTML").toString(),
              QString::fromUtf8("Первый"));
    QWebEnginePage* page = static_cast<QWebEngineView*>(browser.view())->page();
    const auto js = [&](const QString& script) {
        return lectern::test::scriptResult(page, script);
    };
    ASSERT_TRUE(waitUntil([&] { return js("document.readyState").toString() == "complete"; }));
    EXPECT_EQ(js("getComputedStyle(document.getElementById('t1')).color").toString(),
              "rgb(0, 128, 0)");
    EXPECT_EQ(js("document.getElementById('pic').naturalWidth").toInt(), 8);
    EXPECT_EQ(js("document.getElementById('next').href").toString(),
              "lectern://course/data/descr/next.htm");
    js("document.getElementById('jump').click()");
    EXPECT_TRUE(waitUntil([&] { return js("window.scrollY").toInt() > 1000; }));
    EXPECT_EQ(js("location.hash").toString(), "#t2");
    EXPECT_EQ(complete.count(), 1) << "the jump stays on the document";
    js("document.getElementById('next').click()");
    EXPECT_TRUE(waitUntil([&] {
        return js("document.body ? document.body.innerText : ''").toString().trimmed() == "next";
    }));
    EXPECT_EQ(page->url(), QUrl("lectern://course/data/descr/next.htm"));
}

TEST_F(WebEngineBrowserTest, APictureNamedInAnotherLetterCaseIsFound) {
    ASSERT_TRUE(load("case.htm").isObject());
    ASSERT_TRUE(waitUntil([&] { return js("document.readyState").toString() == "complete"; }));
    EXPECT_EQ(js("document.getElementById('pic').naturalWidth").toInt(), 8);
}

// Xvfb has only Mesa's software rasteriser: the views draw their pages in
// software, while a graphics card's renderer keeps them on the card.
TEST_F(WebEngineBrowserTest, PagesAreDrawnOnTheGraphicsCardOnlyWhenThereIsOne) {
    load("lesson.htm");
    EXPECT_EQ(QQuickWindow::sceneGraphBackend(), QStringLiteral("software"));
    for (const char* card :
         {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
          "AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49)", "NVIDIA GeForce GTX 1050/PCIe/SSE2",
          "Mali-G52 (Panfrost)", "virgl (Apple M1)"})
        EXPECT_FALSE(isSoftwareRenderer(card)) << card;
    for (const char* processor :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer",
          "Google SwiftShader", "Microsoft Basic Render Driver", ""})
        EXPECT_TRUE(isSoftwareRenderer(processor)) << processor;
}
