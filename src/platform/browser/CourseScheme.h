#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace lectern::platform {

// The addresses under which course files reach the web engine:
// lectern://course/<path below the course folder>. Pages are loaded at the
// address of their path within the course, so the references they make
// (style sheets, pictures, links, anchors) resolve to addresses of the same
// kind, and nothing the engine asks for names a file of the system: every
// one is served by CourseSchemeHandler.
class CourseScheme {
  public:
    static QByteArray name() { return QByteArrayLiteral("lectern"); }
    static QString host() { return QStringLiteral("course"); }

    // Makes the scheme known to the web engine; must run before the
    // application object exists.
    static void registerScheme();
    static bool isRegistered();

    static QUrl urlOf(const QString& relativePath);
    // The path below the course folder an address names, decoded, with '/'
    // separators; empty when it is not a course address. Query and fragment
    // are not part of it.
    static QString relativePathOf(const QUrl& url);
};

}  // namespace lectern::platform
