#include "platform/browser/CourseSchemeHandler.h"

#include "platform/browser/CourseResources.h"
#include "platform/browser/CourseScheme.h"
#include "platform/files/SafeFile.h"

#include <QBuffer>

#include <cerrno>
#include <exception>

namespace lectern::platform {

namespace {

QByteArray messagePage(const QString& message) {
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head>"
               "<body><p>%1</p></body></html>")
        .arg(message.toHtmlEscaped())
        .toUtf8();
}

}  // namespace

CourseSchemeHandler::Answer CourseSchemeHandler::answer(const QUrl& url) const {
    Answer answer;
    const QString relative = CourseScheme::relativePathOf(url);
    if (relative.isEmpty()) {
        answer.error = QWebEngineUrlRequestJob::UrlInvalid;
        return answer;
    }
    CourseResources::Resource resource = resources_.read(relative);
    if (resource.failure.isEmpty()) {
        answer.contentType = std::move(resource.contentType);
        answer.body = std::move(resource.bytes);
    } else if (CourseResources::isPage(relative)) {
        answer.contentType = "text/html; charset=utf-8";
        answer.body = messagePage(CourseResources::describePageFailure(
            resources_.courseFolder() + QLatin1Char('/') + relative, resource.failure));
    } else {
        answer.error = resource.failure == SafeFile::reasonOf(ENOENT)
                           ? QWebEngineUrlRequestJob::UrlNotFound
                           : QWebEngineUrlRequestJob::RequestDenied;
    }
    return answer;
}

void CourseSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    // Pages only read: a form that posts goes nowhere.
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    Answer reply;
    try {
        reply = answer(job->requestUrl());
    } catch (const std::exception&) {
        reply.error = QWebEngineUrlRequestJob::RequestFailed;
    }
    if (reply.error != QWebEngineUrlRequestJob::NoError) {
        job->fail(reply.error);
        return;
    }
    // The engine reads the buffer while the job lives, and deletes the job.
    auto* buffer = new QBuffer(job);
    buffer->setData(reply.body);
    buffer->open(QIODevice::ReadOnly);
    job->reply(reply.contentType, buffer);
}

}  // namespace lectern::platform
