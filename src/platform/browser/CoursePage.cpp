#include "platform/browser/CoursePage.h"

#include "platform/browser/PageScripts.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace lectern::platform {

CoursePage::CoursePage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
    QWebEngineScript bridge;
    bridge.setName(QStringLiteral("lectern-input-bridge"));
    bridge.setSourceCode(PageScripts::inputBridge());
    bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
    bridge.setWorldId(QWebEngineScript::MainWorld);
    bridge.setRunsOnSubFrames(false);
    scripts().insert(bridge);
}

QWebEnginePage* CoursePage::createWindow(WebWindowType) {
    return nullptr;
}

void CoursePage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                          int, const QString&) {
    std::vector<InputState> states;
    if (PageScripts::inputReport(message, states))
        emit inputsChanged(states);
}

}  // namespace lectern::platform
