#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>

namespace lectern::platform {

// Keeps course pages inside the course: a request passes only when it is
// for an address of the course scheme (CourseScheme), whose handler reads
// course files and nothing else. A file address below the course folder is
// sent to the same file's course address, so that the engine never opens a
// file itself. Network addresses (fetch, XHR, WebSocket, prefetch, redirects
// alike: the decision looks at the address alone), other schemes and hosts,
// files of another host, special files and files elsewhere, links and ".."
// included, are blocked and remembered; so is a file whose name in another
// letter case (as courses made on Windows have) leads out of the course.
class CourseRequestInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    // Finds the real file for a path that does not exist as written; called
    // on the engine's own thread, so it must be safe there.
    using Resolver = std::function<QString(const QString& file)>;
    void setResolver(Resolver resolver) { resolver_ = std::move(resolver); }

    void setCourseFolder(const QString& folder);
    QString courseFolder() const;
    // Whether a file of this system lies below the course folder.
    bool admits(const QString& file) const;

    struct Decision {
        enum Kind { Pass, Block, Redirect } kind = Block;
        QUrl to;  // for Redirect
    };
    Decision decide(const QUrl& url) const;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    QStringList blockedRequests() const;
    QStringList passedRequests() const;

  private:
    bool admitsLocked(const QString& file) const;
    Decision decideLocked(const QUrl& url) const;

    mutable QMutex mutex_;
    QString folder_;
    QStringList blocked_;
    QStringList passed_;
    Resolver resolver_;
};

}  // namespace lectern::platform
