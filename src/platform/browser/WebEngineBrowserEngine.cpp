#include "platform/browser/WebEngineBrowserEngine.h"

#include "platform/CourseFiles.h"

#include "platform/browser/CourseRequestInterceptor.h"
#include "platform/browser/EngineSwitches.h"
#include "platform/browser/PageCompositing.h"
#include "platform/browser/RendererWatchdog.h"
#include "platform/browser/WebEngineBackend.h"

#include <QDir>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <utility>

namespace lectern::platform {

WebEngineBrowserEngine::WebEngineBrowserEngine(CourseFiles& files, QString courseFolder)
    : files_(files), courseFolder_(std::move(courseFolder)) {
    // Before any view exists: the first view already starts the engine.
    EngineSwitches::install();
    choosePageCompositing();
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
    // All course pages are file addresses, one site to the engine: with a
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
        shareRenderers();
        profile_ = new QWebEngineProfile(this);  // off the record: nothing is stored
        profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        profile_->setUrlRequestInterceptor(&interceptor());
        profile_->settings()->setUnknownUrlSchemePolicy(
            QWebEngineSettings::DisallowUnknownUrlSchemes);
    }
    return *profile_;
}

void WebEngineBrowserEngine::beginNavigation() {
    interceptor().setCourseFolder(courseFolder_.isEmpty() ? QDir::currentPath() : courseFolder_);
}

QStringList WebEngineBrowserEngine::blockedRequests() const {
    return interceptor_ ? interceptor_->blockedRequests() : QStringList();
}

QStringList WebEngineBrowserEngine::passedRequests() const {
    return interceptor_ ? interceptor_->passedRequests() : QStringList();
}

}  // namespace lectern::platform
