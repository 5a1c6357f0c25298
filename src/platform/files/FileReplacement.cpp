#include "platform/files/FileReplacement.h"

#include "platform/files/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace lectern::platform {

FileReplacement::FileReplacement(const QString& path, Links links, const QString& root)
    : links_(links) {
    const QFileInfo info(path);
    name_ = QFile::encodeName(info.fileName());
    if (name_.isEmpty()) {
        fail(QStringLiteral("no file is named"));
        return;
    }
    folder_ =
        ::open(QFile::encodeName(info.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) {
        fail(errno == ENOENT ? QStringLiteral("its folder does not exist")
                             : SafeFile::reasonOf(errno));
        return;
    }
    const QString realFolder = SafeFile::realPathOf(folder_);
    if (!root.isEmpty() && realFolder != root && !SafeFile::isBelow(realFolder, root)) {
        fail(QStringLiteral("its folder is outside the course folder"));
        return;
    }
    struct stat st;
    const bool exists = ::fstatat(folder_, name_.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISLNK(st.st_mode) && links_ == Links::RefuseLinks) {
        fail(SafeFile::specialKind(st.st_mode));
        return;
    }
    if (exists && S_ISDIR(st.st_mode)) {
        fail(SafeFile::specialKind(st.st_mode));
        return;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        tempName_ = "." + name_ + "." +
                    QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
        fd_ = ::openat(folder_, tempName_.constData(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            tempName_.clear();
            fail(SafeFile::reasonOf(errno));
            return;
        }
    }
    if (fd_ < 0) {
        tempName_.clear();
        fail(SafeFile::reasonOf(EEXIST));
        return;
    }
    // A replaced regular file keeps who may read it.
    if (exists && S_ISREG(st.st_mode))
        ::fchmod(fd_, st.st_mode & 07777);
}

FileReplacement::~FileReplacement() {
    discard();
    if (folder_ >= 0)
        ::close(folder_);
}

void FileReplacement::discard() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!tempName_.isEmpty())
        ::unlinkat(folder_, tempName_.constData(), 0);
    tempName_.clear();
}

bool FileReplacement::fail(QString failure) {
    if (failure_.isEmpty())
        failure_ = std::move(failure);
    discard();
    return false;
}

bool FileReplacement::write(const char* data, qint64 size) {
    if (fd_ < 0)
        return false;
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(SafeFile::reasonOf(n < 0 ? errno : ENOSPC));
        data += n;
        size -= n;
    }
    return true;
}

bool FileReplacement::copyFrom(int source) {
    char chunk[1 << 16];
    for (;;) {
        const ssize_t n = ::read(source, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(SafeFile::reasonOf(errno));
        if (n == 0)
            return fd_ >= 0;
        if (!write(chunk, n))
            return false;
    }
}

bool FileReplacement::commit() {
    if (fd_ < 0)
        return false;
    if (::fsync(fd_) != 0)
        return fail(SafeFile::reasonOf(errno));
    if (::close(std::exchange(fd_, -1)) != 0)
        return fail(SafeFile::reasonOf(errno));
    // Looked at again just before the rename: a link that appeared meanwhile
    // is refused for the course; were it swapped in after this look, the
    // rename would still replace the link itself, never write through it.
    struct stat st;
    if (links_ == Links::RefuseLinks &&
        ::fstatat(folder_, name_.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
        return fail(SafeFile::specialKind(st.st_mode));
    if (::renameat(folder_, tempName_.constData(), folder_, name_.constData()) != 0)
        return fail(SafeFile::reasonOf(errno));
    tempName_.clear();
    ::fsync(folder_);
    return true;
}

}  // namespace lectern::platform
