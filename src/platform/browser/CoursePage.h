#pragma once

#include "platform/browser/PageEdit.h"

#include <QWebEnginePage>
#include <vector>

namespace lectern::platform {

// A shown course page: opens no windows, and hands the input bridge's
// console reports over as inputsChanged.
class CoursePage : public QWebEnginePage {
    Q_OBJECT
  public:
    CoursePage(QWebEngineProfile* profile, QObject* parent);

  signals:
    void inputsChanged(const std::vector<lectern::platform::InputState>& states);

  protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;
};

}  // namespace lectern::platform
