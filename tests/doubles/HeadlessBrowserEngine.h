#pragma once

#include "platform/browser/BrowserEngine.h"

#include <vector>

namespace lectern::platform {
class CourseFiles;
}

namespace lectern::test {

// Browsers without display: a page becomes its document model straight from
// the file, and OnDocumentComplete fires on the next turn of the event loop.
// Clicks change only tick state; page scripts do not run.
class HeadlessBrowserEngine : public platform::BrowserEngine {
  public:
    explicit HeadlessBrowserEngine(platform::CourseFiles& files);
    std::unique_ptr<platform::BrowserBackend> createBackend(platform::BrowserHost& host) override;

    // The learner double-clicks a word in the page of `browser` (a
    // TCppWebBrowser), as the page reports it; the rectangle is in the
    // browser's coordinates.
    void doubleClickWord(QWidget* browser, const platform::PageWord& word);

  private:
    platform::CourseFiles& files_;
    std::vector<platform::BrowserHost*> hosts_;
};

}  // namespace lectern::test
