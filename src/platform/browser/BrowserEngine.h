#pragma once

#include "platform/browser/PageWord.h"

#include <QString>
#include <memory>

class QWidget;

namespace lectern::platform {

class DocumentModel;

// What a backend tells the browser component it works for.
class BrowserHost {
  public:
    virtual ~BrowserHost() = default;
    // The page has loaded; its model becomes the document. Only the latest
    // navigation reports.
    virtual void documentLoaded(std::shared_ptr<DocumentModel> model) = 0;
    // The widget a backend shows its view in.
    virtual QWidget& hostWidget() = 0;
    // The learner double-clicked a word of the page, outside its form
    // controls; its rectangle is in the host widget's coordinates.
    virtual void wordChosen(const PageWord& word) = 0;
};

// Loads pages for one browser component.
class BrowserBackend {
  public:
    virtual ~BrowserBackend() = default;
    // coursePath as Navigate got it ('\' separators allowed). Returns at once.
    virtual void navigate(const QString& coursePath) = 0;
    // The widget that shows the page, null until there is one.
    virtual QWidget* view() const = 0;
    // Gives back what showing a page holds (the view, its page, the renderer
    // only it used); a load under way reports nothing. The next navigate
    // makes them again.
    virtual void release() {}
    // The scale pages show at, 1 being their own: text, pictures and
    // layout together, so the page scrolls and highlights as at 1. Kept for
    // every later page and view.
    virtual void setZoom(double factor) = 0;
};

// Makes the backends of the browser components: WebEngineBrowserEngine in
// the program, HeadlessBrowserEngine in tests.
class BrowserEngine {
  public:
    virtual ~BrowserEngine() = default;
    virtual std::unique_ptr<BrowserBackend> createBackend(BrowserHost& host) = 0;
};

}  // namespace lectern::platform
