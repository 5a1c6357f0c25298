#include "platform/files/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace lectern::platform {

namespace {

QString megabytes(qint64 bytes) {
    return QStringLiteral("%1 MB").arg(bytes >> 20);
}

void clearNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

}  // namespace

SafeFile::~SafeFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

SafeFile::SafeFile(SafeFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_), failure_(std::move(other.failure_)) {}

SafeFile& SafeFile::operator=(SafeFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        size_ = other.size_;
        failure_ = std::move(other.failure_);
    }
    return *this;
}

int SafeFile::release() {
    return std::exchange(fd_, -1);
}

SafeFile SafeFile::refused(QString failure) {
    SafeFile file;
    file.failure_ = std::move(failure);
    return file;
}

QString SafeFile::reasonOf(int error) {
    switch (error) {
        case ENOENT:
            return QStringLiteral("the file does not exist");
        case ELOOP:
            return QStringLiteral("it is a link; Lectern does not write through links");
        case EISDIR:
            return QStringLiteral("it is a folder");
        case EACCES:
        case EPERM:
            return QStringLiteral("permission denied");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString SafeFile::specialKind(unsigned mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a FIFO, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a regular file");
    if (S_ISLNK(mode))
        return QStringLiteral("it is a link; Lectern does not write through links");
    return QStringLiteral("it is not a regular file");
}

QByteArray SafeFile::nativeRealPathOf(int fd) {
    char buffer[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t n = ::readlink(link.constData(), buffer, sizeof buffer - 1);
    if (n <= 0)
        return QByteArray();
    return QByteArray(buffer, n);
}

QString SafeFile::realPathOf(int fd) {
    return QFile::decodeName(nativeRealPathOf(fd));
}

bool SafeFile::isBelow(const QString& realPath, const QString& root) {
    if (root == QLatin1String("/"))
        return realPath.startsWith(QLatin1Char('/'));
    return realPath.startsWith(root + QLatin1Char('/'));
}

SafeFile SafeFile::openToRead(const QString& path, qint64 limit, const QString& root) {
    const QByteArray name = QFile::encodeName(path);
    // A first look by path spares opening a device at all; the descriptor is
    // what is trusted afterwards.
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return refused(reasonOf(errno));
    if (!S_ISREG(st.st_mode))
        return refused(specialKind(st.st_mode));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refused(reasonOf(errno));
    SafeFile file(fd, 0);
    if (::fstat(fd, &st) != 0)
        return refused(reasonOf(errno));
    if (!S_ISREG(st.st_mode))
        return refused(specialKind(st.st_mode));
    if (st.st_size > limit)
        return refused(QStringLiteral("it is larger than %1").arg(megabytes(limit)));
    if (!root.isEmpty() && !isBelow(realPathOf(fd), root))
        return refused(QStringLiteral("it is a link that leads outside the course folder"));
    clearNonBlocking(fd);
    file.size_ = st.st_size;
    return file;
}

SafeFile SafeFile::openToRecord(const QString& path, const QString& root) {
    const QFileInfo info(path);
    const int folder =
        ::open(QFile::encodeName(info.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return refused(reasonOf(errno));
    const SafeFile folderFile(folder, 0);
    const QString realFolder = realPathOf(folder);
    if (!root.isEmpty() && realFolder != root && !isBelow(realFolder, root))
        return refused(QStringLiteral("its folder is outside the course folder"));
    const int fd =
        ::openat(folder, QFile::encodeName(info.fileName()).constData(),
                 O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return refused(reasonOf(errno));
    SafeFile file(fd, 0);
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return refused(reasonOf(errno));
    if (!S_ISREG(st.st_mode))
        return refused(specialKind(st.st_mode));
    if (::ftruncate(fd, 0) != 0)
        return refused(reasonOf(errno));
    clearNonBlocking(fd);
    return file;
}

bool SafeFile::readAll(QByteArray& bytes, QString& failure, const LineBudget& budget) const {
    bytes.clear();
    LineCounter lines(budget);
    // A file that may be refused early is not given its whole size at once.
    if (!budget.limited())
        bytes.reserve(size_);
    char chunk[1 << 16];
    qint64 offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd_, chunk, sizeof chunk, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            failure = reasonOf(errno);
            return false;
        }
        if (n == 0)
            return true;
        // The file may have grown since it was opened; the limit still holds.
        if (offset + n > std::max(size_, qint64(1 << 16)) * 2) {
            failure = QStringLiteral("it grows while it is read");
            return false;
        }
        if (!lines.take(QByteArrayView(chunk, n))) {
            failure = lines.failure();
            bytes.clear();
            return false;
        }
        bytes.append(chunk, n);
        offset += n;
    }
}

}  // namespace lectern::platform
