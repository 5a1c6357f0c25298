#include "platform/browser/CoursePage.h"

#include "platform/browser/PageGuard.h"
#include "platform/browser/PageScripts.h"

#include <QRandomGenerator>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace lectern::platform {

namespace {

const QString earlyEditsName = QStringLiteral("lectern-early-edits");

}  // namespace

CoursePage::CoursePage(QWebEngineProfile* profile, Admits admits, QObject* parent)
    : QWebEnginePage(profile, parent), admits_(std::move(admits)) {
    // The engine's own switches keep WebRTC off the network (see
    // WebEngineBrowserEngine); the guard takes it from page scripts too.
    install(QStringLiteral("lectern-guard"), PageGuard::script(),
            QWebEngineScript::DocumentCreation, QWebEngineScript::MainWorld, true);
    install(QStringLiteral("lectern-input-bridge"), PageScripts::inputBridge(),
            QWebEngineScript::DocumentCreation, QWebEngineScript::MainWorld, false);
    install(QStringLiteral("lectern-ready"), PageScripts::readyNotice(),
            QWebEngineScript::DocumentReady, QWebEngineScript::ApplicationWorld, false);
    const quint64 token[2] = {QRandomGenerator::system()->generate64(),
                              QRandomGenerator::system()->generate64()};
    wordToken_ =
        QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(token), sizeof token).toHex());
    install(QStringLiteral("lectern-words"), PageScripts::wordReporter(wordToken_),
            QWebEngineScript::DocumentCreation, QWebEngineScript::ApplicationWorld, false);
}

void CoursePage::install(const QString& name, const QString& source,
                         QWebEngineScript::InjectionPoint point, quint32 world, bool subFrames) {
    QWebEngineScript script;
    script.setName(name);
    script.setSourceCode(source);
    script.setInjectionPoint(point);
    script.setWorldId(world);
    script.setRunsOnSubFrames(subFrames);
    scripts().insert(script);
}

void CoursePage::setEarlyEdits(const std::vector<PageEdit>& edits) {
    withdrawEarlyEdits();
    install(earlyEditsName, PageScripts::earlyEdits(edits), QWebEngineScript::DocumentCreation,
            QWebEngineScript::ApplicationWorld, false);
}

void CoursePage::withdrawEarlyEdits() {
    for (const QWebEngineScript& script : scripts().find(earlyEditsName))
        scripts().remove(script);
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
    PageWord word;
    if (PageScripts::wordReport(message, wordToken_, word))
        emit wordChosen(word);
    else if (PageScripts::inputReport(message, states))
        emit inputsChanged(states);
    else if (const QString address = PageScripts::readyReport(message); !address.isEmpty())
        emit documentReady(QUrl(address));
}

}  // namespace lectern::platform
