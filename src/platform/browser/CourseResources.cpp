#include "platform/browser/CourseResources.h"

#include "platform/browser/PageFile.h"
#include "platform/files/CourseFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

#include <cerrno>

namespace lectern::platform {

namespace {

QMimeType mimeTypeOf(const QString& relativePath) {
    return QMimeDatabase().mimeTypeForFile(relativePath, QMimeDatabase::MatchExtension);
}

bool isPageType(const QMimeType& type) {
    return type.inherits(QStringLiteral("text/html")) ||
           type.inherits(QStringLiteral("application/xhtml+xml"));
}

// Text that the engine decodes in the page's encoding unless told otherwise.
bool isPageText(const QMimeType& type) {
    return isPageType(type) || type.inherits(QStringLiteral("text/css")) ||
           type.inherits(QStringLiteral("application/javascript")) ||
           type.inherits(QStringLiteral("text/javascript"));
}

QString below(const QString& path, const QString& root) {
    if (root.isEmpty() || !SafeFile::isBelow(path, root))
        return QString();
    return path.mid(root == QLatin1String("/") ? 1 : root.size() + 1);
}

}  // namespace

void CourseResources::setCourseFolder(const QString& folder) {
    const QFileInfo info(CourseFiles::nativePath(folder));
    given_ = QDir::cleanPath(info.absoluteFilePath());
    const QString real = info.canonicalFilePath();
    root_ = real.isEmpty() ? given_ : real;
}

QString CourseResources::relativePathOf(const QString& file) const {
    const QString path =
        QDir::cleanPath(QFileInfo(CourseFiles::nativePath(file)).absoluteFilePath());
    const QString relative = below(path, given_);
    return relative.isEmpty() ? below(path, root_) : relative;
}

bool CourseResources::isPage(const QString& relativePath) {
    return isPageType(mimeTypeOf(relativePath));
}

SafeFile CourseResources::open(const QString& relativePath, QString& failure) const {
    const QString relative = CourseFiles::nativePath(relativePath);
    if (root_.isEmpty() || relative.isEmpty() || relative.contains(QChar(0)) ||
        relative.split(QLatin1Char('/')).contains(QLatin1String(".."))) {
        failure = QStringLiteral("it is outside the course folder");
        return SafeFile();
    }
    const QString path =
        (root_ == QLatin1String("/") ? QString() : root_) + QLatin1Char('/') + relative;
    const qint64 limit = isPageText(mimeTypeOf(relative)) ? SafeFile::pageLimit : resourceLimit;
    SafeFile file = SafeFile::openToRead(files_.resolve(path), limit, root_);
    failure = file.failure();
    return file;
}

CourseResources::Resource CourseResources::read(const QString& relativePath) const {
    Resource resource;
    const SafeFile file = open(relativePath, resource.failure);
    QByteArray bytes;
    if (!file.isOpen() || !file.readAll(bytes, resource.failure))
        return resource;
    const QMimeType type = mimeTypeOf(relativePath);
    resource.contentType = type.name().toLatin1();
    if (isPageText(type) && !pageDeclaresEncoding(bytes)) {
        bytes = files_.decoding().decode(bytes).toUtf8();
        resource.contentType += "; charset=utf-8";
    }
    resource.bytes = std::move(bytes);
    return resource;
}

std::optional<QByteArray> CourseResources::bytes(const QString& relativePath) const {
    QString failure;
    const SafeFile file = open(relativePath, failure);
    QByteArray bytes;
    if (!file.isOpen() || !file.readAll(bytes, failure))
        return std::nullopt;
    return bytes;
}

QString CourseResources::pageTrouble(const QString& relativePath, const QString& shown) const {
    QString failure;
    const SafeFile file = open(relativePath, failure);
    return file.isOpen() ? QString() : describePageFailure(shown, failure);
}

QString CourseResources::describePageFailure(const QString& shown, const QString& failure) {
    if (failure == SafeFile::reasonOf(ENOENT))
        return QStringLiteral("the page %1 does not exist").arg(shown);
    if (failure == SafeFile::reasonOf(EISDIR))
        return QStringLiteral("the page %1 is a folder").arg(shown);
    return QStringLiteral("the page %1 cannot be read: %2").arg(shown, failure);
}

}  // namespace lectern::platform
