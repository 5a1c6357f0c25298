#pragma once

#include "platform/browser/BrowserEngine.h"
#include "platform/browser/PageEdit.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QWebEngineView;

namespace lectern::platform {

class CoursePage;
class DocumentModel;
class WebEngineBrowserEngine;

// One browser component's web view, made at its first navigation. When a
// load finishes, the page's markup as the engine holds it becomes the
// document model, and only then is the load reported; a static page shown
// before is modelled from the markup kept of it, before the engine loads it.
// From then on every change made through the model is repeated in the page,
// in order, and every change the learner makes to the page's inputs is
// taken into the model as it is reported. Nothing here waits for the engine.
// When the page's renderer dies or is ended for hanging, the page is shown
// again in a new one, with the changes made so far; a page that stopped its
// renderer, or whose renderer keeps dying, gives way to a notice instead,
// and its navigation completes with a blank document if it had not yet.
class WebEngineBackend : public QObject, public BrowserBackend, private PageEditSink {
    Q_OBJECT
  public:
    WebEngineBackend(WebEngineBrowserEngine& engine, BrowserHost& host);
    ~WebEngineBackend() override;

    void navigate(const QString& coursePath) override;
    QWidget* view() const override;
    void release() override;
    void setZoom(double factor) override;

  private:
    void ensureView();
    void loadStarted();
    void loadFinished(bool ok);
    void loadPrepared(std::shared_ptr<DocumentModel> model);
    void documentReady(const QUrl& url);
    void releaseHeldEdits();
    void serializePage(quint64 load);
    void modelArrived(quint64 load, const QVariant& result, bool ok);
    void adopt(std::shared_ptr<DocumentModel> model);
    void pageEdited(const PageEdit& edit) override;
    void inputsChanged(const std::vector<InputState>& states);
    void detachModel();
    void forward(const PageEdit& edit);
    void dropView();
    void replacePage();
    void rendererEnded();
    void showAgain();
    void stopShowing(const QString& reason);
    void showNotice(const QString& text);

    WebEngineBrowserEngine& engine_;
    BrowserHost& host_;
    QWebEngineView* view_ = nullptr;
    double zoom_ = 1;
    CoursePage* page_ = nullptr;
    std::shared_ptr<DocumentModel> model_;
    // Counts navigations, so that a page prepared for an earlier one is dropped.
    quint64 navigations_ = 0;
    // The page's model is being made from its kept markup; its load follows.
    bool preparing_ = false;
    // The model went to the host before the page was loaded.
    bool adoptedEarly_ = false;
    // Edits that wait for the page: made before it existed, they go into it
    // with it; made while it is parsed, they follow once it is whole.
    std::optional<std::vector<PageEdit>> held_;
    // The page is as it was loaded: nothing has been changed in it yet.
    bool fresh_ = false;
    quint64 loads_ = 0;
    QString file_;     // the page's path as navigated, for messages
    QUrl url_;         // its course address; empty for a page outside the course
    QString trouble_;  // why the page of the last navigation is not shown
    // The changes made in the current document, to repeat when it is shown again.
    std::vector<PageEdit> shownEdits_;
    // The watchdog ended the renderer because of this page.
    bool hung_ = false;
    // Times the current navigation's page was shown again in a new renderer.
    int recoveries_ = 0;
    // A new page is about to take the place of one whose renderer ended.
    bool replacing_ = false;
    // The watchdog is ending the page's renderer and will say when it is gone.
    bool rendererLost_ = false;
    QLabel* notice_ = nullptr;
};

}  // namespace lectern::platform
