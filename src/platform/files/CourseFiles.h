#pragma once

#include "platform/files/LineBudget.h"
#include "platform/files/PathResolver.h"
#include "platform/files/SafeFile.h"
#include "platform/files/TextDecoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace lectern::platform {

// File access for course paths. The program forms paths the way course
// authors wrote them, by concatenation with '\' (AppFolder + "\data\text\" +
// entry); this is the one place that turns them into real files of this
// system. Courses are mostly made on Windows, which does not tell letter
// case apart: a path that does not exist as written is looked up without
// regard to case (PathResolver), for reading and for writing alike, and so
// is a name kept in the bytes of the course's legacy code page.
// Messages name paths the way this system writes them.
//
// A course is untrusted. Every read takes only a regular file of sane size
// for its kind, below the course folder once that is set; every write into
// the course replaces a regular file whole and never goes through a link
// (SafeFile, FileReplacement). Names the learner chose in a save dialog are
// not course paths: they are written exactly as given, and also whole.
//
// Copies share one cache of folder listings.
class CourseFiles {
  public:
    explicit CourseFiles(TextDecoding decoding = TextDecoding());

    // The path with '\' separators turned into this system's '/'.
    static QString nativePath(const QString& coursePath);

    // The real file a course path names. When none exists, the real folders
    // found followed by the rest as written, so that a file created there
    // lands in the folder that exists in another letter case.
    QString resolve(const QString& coursePath) const;
    // The same with how the path was found, for the course checker.
    PathResolver::Result lookup(const QString& coursePath) const;
    bool exists(const QString& coursePath) const;

    // The folder every course file read or written must lie below (links
    // resolved). Until it is set nothing is confined (tools and tests); a
    // folder without a path is a programming error (std::logic_error), never
    // "no confinement".
    void setCourseFolder(const QString& folder);
    const QString& courseFolder() const { return root_; }

    // Raises FileRefused "Cannot open file %s" when the file cannot be read,
    // with the reason when it exists but is refused (a FIFO, a device, too
    // large, a link out of the course, lines over the budget).
    QByteArray readBytes(const QString& coursePath, qint64 limit = SafeFile::listLimit,
                         const LineBudget& budget = {}) const;
    // The file's text, decoded once: a NUL byte ends it.
    QString readText(const QString& coursePath, TextDecoding::Report* report = nullptr,
                     qint64 limit = SafeFile::listLimit, const LineBudget& budget = {}) const;
    QString decode(QByteArray bytes, TextDecoding::Report* report = nullptr) const;

    // Chooses the course's legacy code page from the text of the given files
    // taken together (those that cannot be read are passed over), keeps it
    // for every later decoding and returns it. Run before the first list of
    // the course is read. A file over the budget is passed over.
    QByteArray detectCodePage(const QStringList& coursePaths, const LineBudget& budget = {});

    // Whether anything has the name, a link (dangling or not) included.
    bool isTaken(const QString& coursePath) const;

    // Replaces the file as a whole or not at all; raises "Cannot create file
    // %s" with the reason (a link there is refused, never written through).
    void writeBytes(const QString& coursePath, const QByteArray& bytes) const;
    // Copies over an existing target, whole or not at all. False when the
    // source does not exist, which callers may pass over; a source that is
    // refused raises "Cannot open file %s", a target that cannot be written
    // "Cannot create file %s", each with the reason.
    bool copyFile(const QString& from, const QString& to) const;
    // The same for a name chosen in a save dialog, used exactly as given;
    // raises on every failure.
    void writeChosenFile(const QString& path, const QByteArray& bytes) const;
    void copyToChosenFile(const QString& from, const QString& path) const;
    // The file a recorder writes into, emptied, as SafeFile::openToRecord;
    // raises "Cannot create file %s" with the reason.
    SafeFile openToRecord(const QString& coursePath) const;
    // Tells the lookups that a file was created or removed next to this path
    // by someone else (the recorder): its folder is listed anew.
    void forget(const QString& coursePath) const;

    QString currentFolder() const;
    // Why the current folder cannot be the course folder: the system cannot
    // name it (its path is longer than the system allows, or it was
    // removed) or it cannot be read. Empty when it can.
    static QString currentFolderProblem();
    void setCurrentFolder(const QString& coursePath) const;

    TextDecoding& decoding() { return decoding_; }
    const TextDecoding& decoding() const { return decoding_; }

  private:
    SafeFile openSource(const QString& coursePath, qint64 limit) const;

    TextDecoding decoding_;
    QString root_;
    std::shared_ptr<PathResolver> resolver_;
};

}  // namespace lectern::platform
