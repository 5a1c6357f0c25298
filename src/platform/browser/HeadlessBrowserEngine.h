#pragma once

#include "platform/browser/BrowserEngine.h"

namespace lectern::platform {

class CourseFiles;

// Browsers without display: a page becomes its document model straight from
// the file, and OnDocumentComplete fires on the next turn of the event loop.
// Clicks change only tick state; page scripts do not run.
class HeadlessBrowserEngine : public BrowserEngine {
  public:
    explicit HeadlessBrowserEngine(CourseFiles& files);
    std::unique_ptr<BrowserBackend> createBackend(BrowserHost& host) override;

  private:
    CourseFiles& files_;
};

}  // namespace lectern::platform
