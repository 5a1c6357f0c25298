// A hostile course page in the real web engine tries every way out it has:
// network requests of each kind, WebRTC to a STUN/TURN server of its own,
// files of another host, ".." in disguise, links out of the course and a
// path whose letter case leads through a link. Local listeners stand in for
// the servers: they must see nothing, and the page must stay where it is.
#include "platform/CourseFiles.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

using namespace lectern::platform;

using lectern::test::waitUntil;

namespace {

// The page's attempts; @TCP@ is the TCP port, @UDP@ the UDP port, @OUT@ the
// folder outside the course.
const char* const escapePage = R"(<html><head>
<link rel="prefetch" href="http://127.0.0.1:@TCP@/prefetch">
<link rel="dns-prefetch" href="http://escape.invalid/">
<meta http-equiv="refresh" content="1; url=http://127.0.0.1:@TCP@/redirect">
</head><body>
<p id="t1" class="text">Escape</p>
<img id="host" src="file://host@OUT@/secret.png">
<img id="dots" src="%2e%2e/%2e%2e/%2e%2e/outside/secret.png">
<img id="case" src="LINKED/secret.png">
<img id="inside" src="picture.png">
<a id="out" href="file://@OUT@/secret.htm">out</a>
<a id="web" href="http://127.0.0.1:@TCP@/link">web</a>
<a id="mail" href="mailto:someone@example.com">mail</a>
<a id="smb" href="smb://127.0.0.1/share">smb</a>
<script>
window.results = {};
function note(name, value) { window.results[name] = String(value); }
fetch('http://127.0.0.1:@TCP@/fetch').then(() => note('fetch', 'ok'), () => note('fetch', 'failed'));
try {
  const xhr = new XMLHttpRequest();
  xhr.onload = () => note('xhr', 'ok');
  xhr.onerror = () => note('xhr', 'failed');
  xhr.open('GET', 'http://127.0.0.1:@TCP@/xhr');
  xhr.send();
} catch (e) { note('xhr', 'failed'); }
try {
  const ws = new WebSocket('ws://127.0.0.1:@TCP@/socket');
  ws.onopen = () => note('ws', 'ok');
  ws.onerror = () => note('ws', 'failed');
} catch (e) { note('ws', 'failed'); }
function rtc(Peer, name) {
  if (typeof Peer !== 'function') { note(name, 'absent'); return; }
  try {
    const pc = new Peer({iceServers: [
      {urls: 'stun:127.0.0.1:@UDP@'},
      {urls: ['turn:127.0.0.1:@UDP@?transport=udp', 'turn:127.0.0.1:@TCP@?transport=tcp'],
       username: 'u', credential: 'c'}]});
    pc.createDataChannel('x');
    pc.onicecandidate = (e) => { if (e.candidate) note(name + 'candidate', e.candidate.candidate); };
    pc.createOffer().then((offer) => pc.setLocalDescription(offer))
      .then(() => note(name, 'gathering'), (e) => note(name, 'failed ' + e));
  } catch (e) { note(name, 'failed ' + e); }
}
rtc(window.RTCPeerConnection, 'rtc');
rtc(window.webkitRTCPeerConnection, 'webkitrtc');
// A fresh frame's window is made before any script of the player's can run in it.
const frame = document.createElement('iframe');
document.body.appendChild(frame);
rtc(frame.contentWindow.RTCPeerConnection, 'framertc');
for (const id of ['out', 'web', 'mail', 'smb']) document.getElementById(id).click();
</script>
</body></html>)";

}  // namespace

TEST(WebEngineSandbox, APageHasNoWayOutOfTheCourse) {
    QTcpServer tcp;
    ASSERT_TRUE(tcp.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&tcp, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = tcp.nextPendingConnection()) {
            ++connections;
            socket->close();
        }
    });
    QUdpSocket udp;
    ASSERT_TRUE(udp.bind(QHostAddress::LocalHost, 0));
    int datagrams = 0;
    QObject::connect(&udp, &QUdpSocket::readyRead, [&] {
        while (udp.hasPendingDatagrams()) {
            udp.receiveDatagram();
            ++datagrams;
        }
    });

    lectern::test::TempDir root;
    const QString course = root.path() + "/course";
    const QString outside = root.path() + "/outside";
    QFile picture(lectern::test::testDataPath("pages/course/picture.png"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    const QByteArray png = picture.readAll();
    root.write("course/data/text/picture.png", png);
    root.write("outside/secret.png", png);
    root.write("outside/secret.htm", "<p>secret</p>");
    ASSERT_TRUE(QFile::link(outside, course + "/data/text/linked"));
    root.write("course/data/text/escape.htm",
               QString::fromLatin1(escapePage)
                   .replace("@TCP@", QString::number(tcp.serverPort()))
                   .replace("@UDP@", QString::number(udp.localPort()))
                   .replace("@OUT@", outside)
                   .toUtf8());

    CourseFiles files;
    WebEngineBrowserEngine engine{files, course};
    TCppWebBrowser browser{engine};
    browser.resize(600, 400);
    browser.show();
    QSignalSpy complete(&browser, &TCppWebBrowser::OnDocumentComplete);
    browser.Navigate(course + "/data/text/escape.htm");
    ASSERT_TRUE(complete.wait(30000));
    QWebEnginePage* page = static_cast<QWebEngineView*>(browser.view())->page();
    const auto js = [&](const QString& script) {
        QVariant result;
        bool done = false;
        page->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        EXPECT_TRUE(waitUntil([&] { return done; }));
        return result;
    };
    const QUrl shown = page->url();
    ASSERT_TRUE(waitUntil([&] {
        return js("['fetch', 'xhr', 'ws', 'rtc', 'webkitrtc', 'framertc'].every("
                  "(k) => k in window.results)")
            .toBool();
    }));
    // Time for ICE gathering, the refresh and the clicks to do their worst.
    QTest::qWait(4000);

    EXPECT_EQ(connections, 0) << "fetch, XHR, WebSocket, prefetch, refresh, links or TURN/TCP";
    EXPECT_EQ(datagrams, 0) << "STUN or TURN over UDP";
    EXPECT_EQ(js("window.results.fetch").toString(), "failed");
    EXPECT_EQ(js("window.results.xhr").toString(), "failed");
    EXPECT_EQ(js("window.results.ws").toString(), "failed");
    EXPECT_EQ(js("window.results.rtc").toString(), "absent");
    EXPECT_EQ(js("window.results.webkitrtc").toString(), "absent");
    EXPECT_EQ(js("window.results.framertc").toString(), "gathering")
        << "the frame's attempt ran, so the engine's switches alone kept it in";
    EXPECT_EQ(page->url(), shown) << "no link or refresh took the page away";
    EXPECT_EQ(js("document.getElementById('inside').naturalWidth").toInt(), 8);
    for (const char* id : {"host", "dots", "case"})
        EXPECT_EQ(js(QStringLiteral("document.getElementById('%1').naturalWidth").arg(id)).toInt(),
                  0)
            << id;
    for (const QString& url : engine.passedRequests())
        EXPECT_TRUE(url.startsWith("lectern://course/")) << url.toStdString();
}
