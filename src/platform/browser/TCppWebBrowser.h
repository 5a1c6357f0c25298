#pragma once

#include "platform/browser/BrowserEngine.h"
#include "platform/browser/Variant.h"
#include "platform/widgets/ReleasedWhenHidden.h"

#include <QString>
#include <QWidget>
#include <memory>

namespace lectern::platform {

class DocumentModel;

// The embedded browser of the windows. Navigate returns at once; the page
// loads afterwards and OnDocumentComplete fires when it has, with Document()
// already the new page's. A page that cannot be opened (missing, a folder,
// outside the course) still completes, with a document that has no elements:
// every lookup in it fails with a message that names the page's trouble.
class TCppWebBrowser : public QWidget, private BrowserHost, public ReleasedWhenHidden {
    Q_OBJECT
  public:
    TCppWebBrowser(BrowserEngine& engine, QWidget* parent = nullptr);
    ~TCppWebBrowser() override;

    // coursePath may use '\' separators; it is resolved through CourseFiles.
    void Navigate(const QString& coursePath);
    // The last address navigated to.
    QString LocationURL() const { return location_; }
    // The current page's document object; empty before the first load.
    Variant Document() const;

    // The shown page's widget (the web view), null in headless use and
    // until the first navigation.
    QWidget* view() const;

    // Gives back the shown page; a load under way completes no more.
    // Document() stays the last page's, changed no more in any shown page.
    // Navigate shows a page again.
    void Release();
    void releaseWhenHidden() override { Release(); }

    // The scale of this and every later page, 1 being the page's own.
    void SetZoom(double factor);
    double Zoom() const { return zoom_; }

  signals:
    void OnDocumentComplete();
    // A word of the page was double-clicked (rect in global coordinates).
    void OnWordChosen(const lectern::platform::PageWord& word);

  private:
    void documentLoaded(std::shared_ptr<DocumentModel> model) override;
    QWidget& hostWidget() override { return *this; }
    void wordChosen(const PageWord& word) override;

    std::unique_ptr<BrowserBackend> backend_;
    QString location_;
    double zoom_ = 1;
    std::shared_ptr<DocumentModel> model_;
};

}  // namespace lectern::platform
