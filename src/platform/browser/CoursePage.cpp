#include "platform/browser/CoursePage.h"

#include "platform/browser/PageScripts.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace lectern::platform {

namespace {

// The engine's own switches turn WebRTC's network use off (see
// WebEngineBrowserEngine); this takes the objects away from page scripts too,
// in every frame, so that a page cannot even try.
const char* const noWebRtc = R"(
(function () {
  for (const name of ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel',
                      'RTCRtpSender', 'RTCRtpReceiver', 'RTCIceCandidate',
                      'RTCSessionDescription']) {
    try {
      Object.defineProperty(window, name, {value: undefined, writable: false,
                                           configurable: false});
    } catch (e) {}
  }
})();
)";

}  // namespace

CoursePage::CoursePage(QWebEngineProfile* profile, Admits admits, QObject* parent)
    : QWebEnginePage(profile, parent), admits_(std::move(admits)) {
    QWebEngineScript rtc;
    rtc.setName(QStringLiteral("lectern-no-webrtc"));
    rtc.setSourceCode(QString::fromLatin1(noWebRtc));
    rtc.setInjectionPoint(QWebEngineScript::DocumentCreation);
    rtc.setWorldId(QWebEngineScript::MainWorld);
    rtc.setRunsOnSubFrames(true);
    scripts().insert(rtc);

    QWebEngineScript bridge;
    bridge.setName(QStringLiteral("lectern-input-bridge"));
    bridge.setSourceCode(PageScripts::inputBridge());
    bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
    bridge.setWorldId(QWebEngineScript::MainWorld);
    bridge.setRunsOnSubFrames(false);
    scripts().insert(bridge);

    QWebEngineScript ready;
    ready.setName(QStringLiteral("lectern-ready"));
    ready.setSourceCode(PageScripts::readyNotice());
    ready.setInjectionPoint(QWebEngineScript::DocumentReady);
    ready.setWorldId(QWebEngineScript::ApplicationWorld);
    ready.setRunsOnSubFrames(false);
    scripts().insert(ready);
}

QWebEnginePage* CoursePage::createWindow(WebWindowType) {
    return nullptr;
}

bool CoursePage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    // The player's own blank page for a page it cannot show.
    if (url == QUrl(QStringLiteral("about:blank")))
        return true;
    return admits_ && admits_(url);
}

void CoursePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                          int, const QString&) {
    std::vector<InputState> states;
    if (PageScripts::inputReport(message, states))
        emit inputsChanged(states);
    else if (const QString address = PageScripts::readyReport(message); !address.isEmpty())
        emit documentReady(QUrl(address));
}

}  // namespace lectern::platform
