#pragma once

#include "platform/browser/PageEdit.h"
#include "platform/browser/PageWord.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <functional>
#include <vector>

namespace lectern::platform {

// A shown course page: opens no windows, goes nowhere but to course pages
// (a link to anything else does nothing), has no WebRTC nor clipboard
// writes from its scripts (see PageGuard), and hands the input
// bridge's console reports over as inputsChanged, and the parsed document's
// address as documentReady (before the load ends: pictures and styles may
// still be on their way).
class CoursePage : public QWebEnginePage {
    Q_OBJECT
  public:
    // Whether an address is a course page the page may go to.
    using Admits = std::function<bool(const QUrl& url)>;
    CoursePage(QWebEngineProfile* profile, Admits admits, QObject* parent);

    // Makes these edits in the next document the page makes (see
    // PageScripts::earlyEdits), until withdrawn.
    void setEarlyEdits(const std::vector<PageEdit>& edits);
    void withdrawEarlyEdits();

  signals:
    void inputsChanged(const std::vector<lectern::platform::InputState>& states);
    void documentReady(const QUrl& url);
    // The learner double-clicked a word (rect in the page's CSS pixels).
    void wordChosen(const lectern::platform::PageWord& word);

  protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;

  private:
    void install(const QString& name, const QString& source, QWebEngineScript::InjectionPoint point,
                 quint32 world, bool subFrames);

    Admits admits_;
    // Known only to the player's world: a page script cannot make a word report.
    QString wordToken_;
};

}  // namespace lectern::platform
