#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QWebEngineUrlRequestInterceptor>

namespace lectern::platform {

// Keeps course pages inside the course: a request passes only when it is
// for a file below the course folder. Network addresses, other schemes and
// files elsewhere are blocked and remembered.
class CourseRequestInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void setCourseFolder(const QString& folder);
    QString courseFolder() const;
    // Whether a file of this system lies below the course folder.
    bool admits(const QString& file) const;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    QStringList blockedRequests() const;
    QStringList passedRequests() const;

  private:
    bool admitsLocked(const QString& file) const;

    mutable QMutex mutex_;
    QString folder_;
    QStringList blocked_;
    QStringList passed_;
};

}  // namespace lectern::platform
