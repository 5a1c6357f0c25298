#include "platform/browser/WebEngineBrowserEngine.h"

#include "platform/Error.h"
#include "platform/files/CourseFiles.h"

#include "platform/browser/CourseRequestInterceptor.h"
#include "platform/browser/CourseScheme.h"
#include "platform/browser/CourseSchemeHandler.h"
#include "platform/browser/EngineSwitches.h"
#include "platform/browser/PageCompositing.h"
#include "platform/browser/RendererWatchdog.h"
#include "platform/browser/WebEngineBackend.h"
#include "platform/browser/WidgetWindowsOnly.h"

#include <QDir>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <utility>

namespace lectern::platform {

WebEngineBrowserEngine::WebEngineBrowserEngine(CourseFiles& files, QString courseFolder)
    : files_(files),
      courseFolder_(std::move(courseFolder)),
      resources_(files),
      markupCache_([this](const QString& file) -> std::optional<QByteArray> {
          const QString relative = resources_.relativePathOf(file);
          if (relative.isEmpty())
              return std::nullopt;
          return resources_.bytes(relative);
      }) {
    // Before any view exists: the first view already starts the engine.
    EngineSwitches::install();
    choosePageCompositing();
    exposeOnlyWidgetWindows();
}

WebEngineBrowserEngine::~WebEngineBrowserEngine() = default;

std::unique_ptr<BrowserBackend> WebEngineBrowserEngine::createBackend(BrowserHost& host) {
    return std::make_unique<WebEngineBackend>(*this, host);
}

CourseRequestInterceptor& WebEngineBrowserEngine::interceptor() {
    if (!interceptor_) {
        interceptor_ = new CourseRequestInterceptor(this);
        interceptor_->setResolver(
            [&files = files_](const QString& file) { return files.resolve(file); });
        interceptor_->setCourseFolder(courseFolder_.isEmpty() ? QDir::currentPath()
                                                              : courseFolder_);
    }
    return *interceptor_;
}

RendererWatchdog& WebEngineBrowserEngine::watchdog() {
    if (!watchdog_)
        watchdog_ = new RendererWatchdog(this);
    return *watchdog_;
}

void WebEngineBrowserEngine::shareRenderers() {
    // All course pages are course addresses, one site to the engine: with a
    // process per site they share one renderer instead of one per page. The
    // engine reads its flags once, when its first profile is made.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--process-per-site"))
        return;
    flags += " --process-per-site";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

QWebEngineProfile& WebEngineBrowserEngine::profile() {
    if (!profile_) {
        if (!CourseScheme::isRegistered())
            throw Error(
                QStringLiteral("Course pages cannot be shown: the course scheme was not "
                               "registered before the application started"));
        shareRenderers();
        profile_ = new QWebEngineProfile(this);  // off the record: nothing is stored
        profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        profile_->setUrlRequestInterceptor(&interceptor());
        schemeHandler_ = new CourseSchemeHandler(resources_, this);
        profile_->installUrlSchemeHandler(CourseScheme::name(), schemeHandler_);
        profile_->settings()->setUnknownUrlSchemePolicy(
            QWebEngineSettings::DisallowUnknownUrlSchemes);
    }
    return *profile_;
}

void WebEngineBrowserEngine::beginNavigation() {
    const QString folder = courseFolder_.isEmpty() ? QDir::currentPath() : courseFolder_;
    interceptor().setCourseFolder(folder);
    resources_.setCourseFolder(folder);
}

QStringList WebEngineBrowserEngine::blockedRequests() const {
    return interceptor_ ? interceptor_->blockedRequests() : QStringList();
}

QStringList WebEngineBrowserEngine::passedRequests() const {
    return interceptor_ ? interceptor_->passedRequests() : QStringList();
}

}  // namespace lectern::platform
