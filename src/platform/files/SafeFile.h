#pragma once

#include "platform/files/LineBudget.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace lectern::platform {

// An open descriptor of a course file, obtained so that a course, which is
// untrusted input, can neither hang the player nor lead it out of its folder.
//
// Reading: the file is opened with O_NONBLOCK (so that opening a FIFO does
// not wait for a writer), then fstat() on the descriptor must show a regular
// file no larger than the limit of its kind. A link is followed, but the file
// it reaches must lie below the course folder: the real path of the object
// actually opened is read back from the descriptor (/proc/self/fd), never
// from the path again.
//
// Writing into the course (openToRecord and FileReplacement): the folder is
// opened first and its real path, read back from that descriptor, must lie
// below the course folder; the last part is then opened relative to that
// descriptor with O_NOFOLLOW, so a link there, dangling or not, fails with
// ELOOP instead of being followed.
//
// Why there is no race: every check is made on an object already opened and
// pinned by a descriptor, and every later step goes through that descriptor.
// Swapping a path for a link after a check changes nothing the player does:
// the descriptor still names the object that was checked, and the last part
// is never resolved through a link.
class SafeFile {
  public:
    // Size limits per kind of course file.
    static constexpr qint64 listLimit = 8LL << 20;      // catalogue lists, marks, sorting files
    static constexpr qint64 treeLimit = 64LL << 20;     // the tree file: each level costs a tab
    static constexpr qint64 pageLimit = 16LL << 20;     // HTML pages
    static constexpr qint64 pictureLimit = 64LL << 20;  // JPEG pictures
    static constexpr qint64 soundLimit = 4LL << 30;     // sounds (decoding has its own limit)

    SafeFile() = default;
    ~SafeFile();
    SafeFile(SafeFile&& other) noexcept;
    SafeFile& operator=(SafeFile&& other) noexcept;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // An existing regular file within `limit` bytes; with a non-empty `root`
    // (a real folder path), one below it.
    static SafeFile openToRead(const QString& path, qint64 limit, const QString& root);
    // The file the recorder writes into, opened for reading and writing and
    // emptied: created when missing, never through a link, never a special
    // file, in a folder below `root` when that is not empty.
    static SafeFile openToRecord(const QString& path, const QString& root);

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Hands the descriptor over to the caller, who closes it.
    int release();
    // The file's size when it was opened.
    qint64 size() const { return size_; }
    // Why the file could not be opened ("it is a FIFO"), when it is not open.
    const QString& failure() const { return failure_; }

    // The whole content from the start; false with `failure` set on an error,
    // or as soon as the lines read exceed `budget`.
    bool readAll(QByteArray& bytes, QString& failure, const LineBudget& budget = {}) const;

    // Whether `realPath` (absolute, without links) lies below `root`.
    static bool isBelow(const QString& realPath, const QString& root);
    // The real path of the object an open descriptor names.
    static QString realPathOf(int fd);
    // The same as the file system's bytes, which need not be UTF-8.
    static QByteArray nativeRealPathOf(int fd);
    // Words for an errno value, as the messages show them.
    static QString reasonOf(int error);
    // What a file of this mode is, when it is not a regular file.
    static QString specialKind(unsigned mode);

  private:
    explicit SafeFile(int fd, qint64 size) : fd_(fd), size_(size) {}
    static SafeFile refused(QString failure);

    int fd_ = -1;
    qint64 size_ = 0;
    QString failure_;
};

}  // namespace lectern::platform
