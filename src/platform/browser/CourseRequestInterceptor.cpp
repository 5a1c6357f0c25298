#include "platform/browser/CourseRequestInterceptor.h"

#include "platform/browser/CourseScheme.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QUrl>

namespace lectern::platform {

namespace {

// The file's real place: links are followed so that none leads out of the
// course; a file that does not exist is judged by its cleaned path.
QString realPath(const QString& file) {
    const QFileInfo info(file);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Requests remembered for inspection; a page cannot make the lists grow
// without end.
constexpr qsizetype rememberedRequests = 1000;

void remember(QStringList& list, const QString& url) {
    if (list.size() >= rememberedRequests)
        list.removeFirst();
    list.append(url);
}

}  // namespace

void CourseRequestInterceptor::setCourseFolder(const QString& folder) {
    const QString real = realPath(folder);
    QMutexLocker lock(&mutex_);
    folder_ = real;
}

QString CourseRequestInterceptor::courseFolder() const {
    QMutexLocker lock(&mutex_);
    return folder_;
}

bool CourseRequestInterceptor::admits(const QString& file) const {
    QMutexLocker lock(&mutex_);
    return admitsLocked(file);
}

bool CourseRequestInterceptor::admitsLocked(const QString& file) const {
    if (folder_.isEmpty())
        return false;
    const QString path = realPath(file);
    const QString root = folder_.endsWith(QLatin1Char('/')) ? folder_ : folder_ + QLatin1Char('/');
    return path.startsWith(root);
}

CourseRequestInterceptor::Decision CourseRequestInterceptor::decide(const QUrl& url) const {
    QMutexLocker lock(&mutex_);
    return decideLocked(url);
}

CourseRequestInterceptor::Decision CourseRequestInterceptor::decideLocked(const QUrl& url) const {
    Decision decision;
    if (url.scheme() == QLatin1String(CourseScheme::name())) {
        if (!CourseScheme::relativePathOf(url).isEmpty())
            decision.kind = Decision::Pass;
        return decision;
    }
    if (!url.isValid() || url.scheme() != QLatin1String("file") || !url.host().isEmpty())
        return decision;
    const QString file = url.toLocalFile();
    if (!admitsLocked(file))
        return decision;
    const QFileInfo info(file);
    // A FIFO or a device would hold the reader forever.
    if (info.exists() && !info.isFile())
        return decision;
    if (!info.exists() && resolver_) {
        // Found in another letter case: the file found must be in the course too.
        const QString found = resolver_(file);
        if (found != file && QFileInfo(found).isFile() && !admitsLocked(found))
            return decision;
    }
    const QString path = realPath(file);
    decision.kind = Decision::Redirect;
    decision.to = CourseScheme::urlOf(
        path.mid(folder_.endsWith(QLatin1Char('/')) ? folder_.size() : folder_.size() + 1));
    if (url.hasQuery())
        decision.to.setQuery(url.query(QUrl::FullyEncoded), QUrl::StrictMode);
    if (url.hasFragment())
        decision.to.setFragment(url.fragment(QUrl::FullyEncoded), QUrl::StrictMode);
    return decision;
}

void CourseRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    QMutexLocker lock(&mutex_);
    const Decision decision = decideLocked(url);
    const bool pass = decision.kind != Decision::Block;
    remember(pass ? passed_ : blocked_, url.toString());
    info.block(!pass);
    if (decision.kind == Decision::Redirect)
        info.redirect(decision.to);
}

QStringList CourseRequestInterceptor::blockedRequests() const {
    QMutexLocker lock(&mutex_);
    return blocked_;
}

QStringList CourseRequestInterceptor::passedRequests() const {
    QMutexLocker lock(&mutex_);
    return passed_;
}

}  // namespace lectern::platform
