#include "platform/browser/CourseScheme.h"

#include <QWebEngineUrlScheme>

namespace lectern::platform {

void CourseScheme::registerScheme() {
    if (isRegistered())
        return;
    QWebEngineUrlScheme scheme(name());
    // A host, so that relative references resolve as in any web address; a
    // secure context, as local files are. Fetch and XHR of the course's own
    // files work; the interceptor still stops anything else.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

bool CourseScheme::isRegistered() {
    return QWebEngineUrlScheme::schemeByName(name()).name() == name();
}

QUrl CourseScheme::urlOf(const QString& relativePath) {
    QUrl url;
    url.setScheme(QString::fromLatin1(name()));
    url.setHost(host());
    url.setPath(QLatin1Char('/') + relativePath, QUrl::DecodedMode);
    return url;
}

QString CourseScheme::relativePathOf(const QUrl& url) {
    if (!url.isValid() || url.scheme() != QLatin1String(name()) || url.host() != host() ||
        url.port() != -1 || !url.userInfo().isEmpty())
        return QString();
    const QString path = url.path(QUrl::FullyDecoded);
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    return path.mid(1);
}

}  // namespace lectern::platform
