#pragma once

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QtGlobal>

namespace lectern::platform {

// A read-only file mapped into memory: its pages are read from the disk as
// they are touched, so a large dictionary costs only what a lookup reads.
// Opened through SafeFile, so that a FIFO or a device is refused and a file
// over `limit` bytes is not opened.
class MappedFile {
  public:
    // Opens and maps `path`; failure() tells why not.
    MappedFile(const QString& path, qint64 limit);
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool isOpen() const { return failure_.isEmpty(); }
    const QString& failure() const { return failure_; }
    QByteArrayView bytes() const { return bytes_; }
    // Lets go of the pages read so far: they stay in the system's cache, but
    // no longer count as this process's memory. bytes() stays valid.
    void releasePages() const;

  private:
    QFile file_;
    QByteArrayView bytes_;
    QString failure_;
};

}  // namespace lectern::platform
