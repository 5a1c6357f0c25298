#include "platform/media/FileRecordingTarget.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace lectern::platform {

FileRecordingTarget::~FileRecordingTarget() {
    close();
}

long long FileRecordingTarget::failed() {
    failure_ = SafeFile::reasonOf(errno);
    return -1;
}

long long FileRecordingTarget::length() {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? (long long)info.st_size : failed();
}

long long FileRecordingTarget::seek(long long offset, int whence) {
    const off_t at = ::lseek(fd_, off_t(offset), whence);
    return at >= 0 ? (long long)at : failed();
}

long long FileRecordingTarget::tell() {
    return seek(0, SEEK_CUR);
}

long long FileRecordingTarget::read(void* data, long long bytes) {
    long long done = 0;
    while (done < bytes) {
        const ssize_t n = ::read(fd_, static_cast<char*>(data) + done, std::size_t(bytes - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done > 0 ? done : failed();
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

long long FileRecordingTarget::write(const void* data, long long bytes) {
    long long done = 0;
    while (done < bytes) {
        const ssize_t n =
            ::write(fd_, static_cast<const char*>(data) + done, std::size_t(bytes - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failed();
            break;
        }
        done += n;
    }
    return done;
}

bool FileRecordingTarget::close() {
    if (fd_ < 0)
        return true;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        failed();
        return false;
    }
    return true;
}

}  // namespace lectern::platform
