// A double-click of the learner on a word of a shown page reports the word,
// its sentence, its language and where it is drawn; one in a form control
// keeps its own meaning, the page's own handlers still run, and nothing a
// page script does can report a word.
#include "browser/WebEnginePageFixture.h"

#include <QCoreApplication>
#include <QMouseEvent>

using namespace lectern::platform;
using lectern::test::waitUntil;

namespace {

class WebEngineWordTest : public lectern::test::WebEnginePageFixture {
  protected:
    WebEngineWordTest() : WebEnginePageFixture(QSize(900, 600)) { load("words.htm"); }

    // Two clicks in quick succession, as the engine counts a double-click
    // (QTest spaces its clicks out so that they never make one).
    void doubleClick(const QString& id) { doubleClickAt(rectOf(id).center()); }
    void doubleClickAt(const QPoint& at) {
        QWidget* input = browser.view()->focusProxy();
        QTest::lastMouseTimestamp += 1000;
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const bool pressed = type == QEvent::MouseButtonPress;
            QMouseEvent event(type, at, input->mapToGlobal(at), Qt::LeftButton,
                              pressed ? Qt::LeftButton : Qt::NoButton, {});
            event.setTimestamp(QTest::lastMouseTimestamp += 20);
            QCoreApplication::sendEvent(input, &event);
        }
        QTest::lastMouseTimestamp += 1000;
    }
};

TEST_F(WebEngineWordTest, ADoubleClickedWordComesBackWithItsSentenceAndLanguage) {
    QSignalSpy chosen(&browser, &TCppWebBrowser::OnWordChosen);
    doubleClick("w");
    ASSERT_TRUE(chosen.wait(10000)) << js("pageDoubleClicks").toInt();
    const auto word = chosen.at(0).at(0).value<PageWord>();
    EXPECT_EQ(word.word, "creatures");
    EXPECT_EQ(word.sentence, "Strange creatures walk there!");
    EXPECT_EQ(word.language, "en");
    const QRect drawn(browser.view()->mapToGlobal(rectOf("w").topLeft()), rectOf("w").size());
    EXPECT_LE((word.rect.center() - drawn.center()).manhattanLength(), 4)
        << word.rect.x() << "," << word.rect.y() << " vs " << drawn.x() << "," << drawn.y();
    EXPECT_EQ(js("pageDoubleClicks").toInt(), 1);  // the course's handler ran too

    doubleClick("f");
    ASSERT_TRUE(chosen.wait(10000));
    EXPECT_EQ(chosen.at(1).at(0).value<PageWord>().word, QString::fromUtf8("étoiles"));
    EXPECT_EQ(chosen.at(1).at(0).value<PageWord>().language, "fr");

    // In a text input the word is selected, as ever, and nothing is looked up.
    const QRect answer = rectOf("answer");
    doubleClickAt(QPoint(answer.left() + 30, answer.center().y()));
    ASSERT_TRUE(waitUntil([&] {
        return js("var a = document.getElementById('answer');"
                  "a.value.substring(a.selectionStart, a.selectionEnd)")
                   .toString() == "creatures";
    }));
    // Nor does a script's double-click or console line count as the learner's.
    js("forgeWord()");
    QTest::qWait(300);
    EXPECT_EQ(chosen.size(), 2);
    EXPECT_EQ(js("pageDoubleClicks").toInt(), 4);
}

}  // namespace
