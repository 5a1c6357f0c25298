#pragma once

#include <QByteArray>
#include <QString>

namespace lectern::platform {

// Replaces a file as a whole or not at all: the new content goes to a fresh
// file in the same folder (created with O_EXCL | O_NOFOLLOW, so it cannot be
// anything planted there), is flushed to the disk, and is then renamed over
// the target. Until commit() the target keeps its old content; a failure at
// any step leaves it untouched and removes the fresh file.
//
// rename() replaces the name, never what a link at that name points to: a
// link there is itself replaced, nothing is written through it. For files of
// the course (RefuseLinks) a link at the target is refused instead, so that a
// course sees its link fail with a clear message. The folder is opened once
// and every later step is relative to that descriptor, so the checks cannot
// be raced (see SafeFile).
class FileReplacement {
  public:
    enum class Links {
        RefuseLinks,   // files of the course
        ReplaceLinks,  // a name the learner chose in a save dialog
    };

    // With a non-empty `root` (a real folder path), the folder must lie
    // below it. failure() tells why nothing could be begun.
    FileReplacement(const QString& path, Links links, const QString& root = QString());
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The new content's descriptor, for writers that need one (sound files).
    int fd() const { return fd_; }
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Copies the rest of an open descriptor.
    bool copyFrom(int source);
    // Makes the new content the file; false with failure() set when it cannot.
    bool commit();

    const QString& failure() const { return failure_; }

  private:
    bool fail(QString failure);
    void discard();

    Links links_;
    int folder_ = -1;
    int fd_ = -1;
    QByteArray name_;
    QByteArray tempName_;
    QString failure_;
};

}  // namespace lectern::platform
