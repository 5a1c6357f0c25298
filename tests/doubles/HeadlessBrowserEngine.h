#pragma once

#include "platform/browser/BrowserEngine.h"

#include <QString>
#include <map>
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
    // The id of the element the page of `browser` last put its reading point
    // (its focus) on, empty while none was.
    QString readingPoint(QWidget* browser) const {
        const auto point = readingPoints_.find(browser);
        return point == readingPoints_.end() ? QString() : point->second;
    }

  private:
    platform::CourseFiles& files_;
    std::vector<platform::BrowserHost*> hosts_;
    // Each backend holds a reference to its own: a map's entries stay put.
    std::map<QWidget*, QString> readingPoints_;
};

}  // namespace lectern::test
