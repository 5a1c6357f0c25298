#pragma once

#include "platform/browser/BrowserEngine.h"
#include "platform/browser/PageEdit.h"

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class QWebEngineView;

namespace lectern::platform {

class CoursePage;
class DocumentModel;
class WebEngineBrowserEngine;

// One browser component's web view, made at its first navigation. When a
// load finishes, the page's markup as the engine holds it becomes the
// document model, and only then is the load reported. From then on every
// change made through the model is repeated in the page at once and in
// order, and every change the learner makes to the page's inputs is taken
// into the model as it is reported. Nothing here waits for the engine.
class WebEngineBackend : public QObject, public BrowserBackend, private PageEditSink {
    Q_OBJECT
  public:
    WebEngineBackend(WebEngineBrowserEngine& engine, BrowserHost& host);
    ~WebEngineBackend() override;

    void navigate(const QString& coursePath) override;
    QWidget* view() const override;
    void release() override;

  private:
    void ensureView();
    void loadStarted();
    void loadFinished(bool ok);
    void documentReady(const QUrl& url);
    void adoptPrepared();
    void serializePage(quint64 load);
    void modelArrived(quint64 load, const QVariant& result, bool ok);
    void adopt(std::shared_ptr<DocumentModel> model);
    void pageEdited(const PageEdit& edit) override;
    void inputsChanged(const std::vector<InputState>& states);
    void detachModel();

    WebEngineBrowserEngine& engine_;
    BrowserHost& host_;
    QWebEngineView* view_ = nullptr;
    CoursePage* page_ = nullptr;
    std::shared_ptr<DocumentModel> model_;
    // The model made from the engine's markup cache for the page now loading.
    QFuture<std::shared_ptr<DocumentModel>> prepared_;
    // The prepared model went to the host before the load finished.
    bool adoptedEarly_ = false;
    // The page is as it was loaded: nothing has been changed in it yet.
    bool fresh_ = false;
    quint64 loads_ = 0;
    QString file_;
    QString trouble_;  // why the page of the last navigation is not shown
};

}  // namespace lectern::platform
