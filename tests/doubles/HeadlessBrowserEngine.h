#pragma once

#include "platform/browser/BrowserEngine.h"

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

  private:
    platform::CourseFiles& files_;
};

}  // namespace lectern::test
