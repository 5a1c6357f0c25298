#pragma once

#include "platform/browser/BrowserEngine.h"
#include "platform/browser/CourseResources.h"
#include "platform/browser/PageMarkupCache.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QWebEngineProfile;

namespace lectern::platform {

class CourseFiles;
class CourseRequestInterceptor;
class CourseSchemeHandler;
class RendererWatchdog;

// Browsers that show pages in Qt WebEngine. All of them share one private,
// off-the-record profile, made when the first page is shown, whose
// interceptor lets pages reach the course scheme and nothing else, and
// whose scheme handler serves files below the course folder only
// (CourseScheme must be registered before the application object exists).
// The course folder is the one given, or else the current folder at each
// navigation. The engine must outlive the browsers it made.
class WebEngineBrowserEngine : public QObject, public BrowserEngine {
    Q_OBJECT
  public:
    explicit WebEngineBrowserEngine(CourseFiles& files, QString courseFolder = QString());
    ~WebEngineBrowserEngine() override;

    std::unique_ptr<BrowserBackend> createBackend(BrowserHost& host) override;

    CourseFiles& files() { return files_; }
    PageMarkupCache& markupCache() { return markupCache_; }
    const CourseResources& resources() const { return resources_; }
    QWebEngineProfile& profile();
    CourseRequestInterceptor& interceptor();
    // Watches the renderers of the pages shown, ending one that hangs.
    RendererWatchdog& watchdog();
    // Fixes the course folder for a navigation that starts now.
    void beginNavigation();
    // Requests kept from pages so far, as addresses.
    QStringList blockedRequests() const;
    QStringList passedRequests() const;

  private:
    static void shareRenderers();

    CourseFiles& files_;
    QString courseFolder_;
    CourseResources resources_;
    CourseRequestInterceptor* interceptor_ = nullptr;
    CourseSchemeHandler* schemeHandler_ = nullptr;
    QWebEngineProfile* profile_ = nullptr;
    RendererWatchdog* watchdog_ = nullptr;
    PageMarkupCache markupCache_;
};

}  // namespace lectern::platform
