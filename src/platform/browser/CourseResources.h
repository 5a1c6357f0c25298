#pragma once

#include "platform/files/SafeFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace lectern::platform {

class CourseFiles;

// The course's files as the web engine gets them, by their paths below the
// course folder. Each is read once: opened, checked on its descriptor (a
// regular file within its kind's size that lies below the course folder,
// wherever a link or a network file system's lookup led) and read from that
// same descriptor; the path is never opened again. Names differing in
// letter case, or kept in the legacy code page's bytes, are found as
// CourseFiles finds them. A page or script that does not name its encoding
// is decoded as course text and handed over as UTF-8.
class CourseResources {
  public:
    // Pages and their text are held to SafeFile::pageLimit; everything else
    // (pictures, sounds) is held in memory up to this.
    static constexpr qint64 resourceLimit = SafeFile::pictureLimit;

    explicit CourseResources(const CourseFiles& files) : files_(files) {}

    // Empty until set, and then nothing is served.
    void setCourseFolder(const QString& folder);
    // The folder's real path.
    const QString& courseFolder() const { return root_; }

    // The path below the course folder of a file of this system, cleaned,
    // with '/' separators; empty when the path does not lie below it.
    QString relativePathOf(const QString& file) const;

    struct Resource {
        QByteArray contentType;
        QByteArray bytes;
        // Why the file is not served, in SafeFile's words; empty when it is.
        QString failure;
    };
    Resource read(const QString& relativePath) const;
    // The file's bytes as they are; none when it cannot be read.
    std::optional<QByteArray> bytes(const QString& relativePath) const;
    // Why the file cannot be shown as a page (named `shown` in the words),
    // without reading it; empty when it can.
    QString pageTrouble(const QString& relativePath, const QString& shown) const;
    // The words for a page `shown` that failed to be read for `failure`.
    static QString describePageFailure(const QString& shown, const QString& failure);

    // Whether the engine shows the file as an HTML page, by its name.
    static bool isPage(const QString& relativePath);

  private:
    SafeFile open(const QString& relativePath, QString& failure) const;

    const CourseFiles& files_;
    QString given_;
    QString root_;
};

}  // namespace lectern::platform
