#pragma once

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>

namespace lectern::platform {

class CourseResources;

// Serves the course scheme's addresses (CourseScheme) from CourseResources:
// the web engine never opens a course file itself. A page that cannot be
// served is answered with a page that says why; anything else that cannot
// be served fails.
class CourseSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
  public:
    explicit CourseSchemeHandler(const CourseResources& resources, QObject* parent = nullptr)
        : QWebEngineUrlSchemeHandler(parent), resources_(resources) {}

    struct Answer {
        QByteArray contentType;
        QByteArray body;
        QWebEngineUrlRequestJob::Error error = QWebEngineUrlRequestJob::NoError;
    };
    // What a request for the address gets.
    Answer answer(const QUrl& url) const;

    void requestStarted(QWebEngineUrlRequestJob* job) override;

  private:
    const CourseResources& resources_;
};

}  // namespace lectern::platform
