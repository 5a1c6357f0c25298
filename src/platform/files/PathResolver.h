#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <ctime>
#include <memory>
#include <vector>

namespace lectern::platform {

// Finds the file a path names the way a file system blind to letter case
// would: a path that does not exist as written has each of its parts matched
// against what its folder really holds, an exact name first, then a name
// equal but for letter case (the first in sorted order when several are).
//
// Copies of courses made on Windows (zip files, CDs) may keep names in the
// bytes of the course's legacy code page, which are not UTF-8 and so have
// no QString of their own. When nothing else matches, such a name is taken
// when its bytes, decoded in that code page, equal the part (again exactly
// first, then but for case). It is reached through a descriptor of the
// entry kept open, as "/proc/self/fd/N", a path every file function of this
// process can open.
//
// Folder listings are kept, so a course of many files is not listed once per
// lookup. A kept listing is checked against its folder's change time each
// time it is used and listed again when the folder changed; forgetFolder()
// drops one at once, for writers that want the next lookup to see their file.
class PathResolver {
  public:
    enum class Failure {
        None,
        NotFound,    // no entry of that name in the folder, in any case
        NotAFolder,  // the name exists, but is not a folder and more parts follow
        Unreadable,  // the folder cannot be listed
    };

    struct Result {
        // The real path; when a part matches nothing, the real path of the
        // folders found so far followed by the rest as written.
        QString path;
        Failure failure = Failure::None;
        // Set when some part was found only by ignoring letter case.
        bool caseDiffers = false;
        // Set when some part was found only by its legacy code page bytes.
        bool legacyName = false;
        // For each part that matched several names alike but for case: the
        // names, the one taken first.
        std::vector<QStringList> ambiguous;
        // With a failure: the part as written that failed, and the real
        // folder it was looked for in.
        QString failedPart;
        QString failedFolder;

        bool found() const { return failure == Failure::None; }
    };

    PathResolver();
    ~PathResolver();
    PathResolver(const PathResolver&) = delete;
    PathResolver& operator=(const PathResolver&) = delete;

    // A path with '/' separators, absolute or relative to the current folder;
    // names that are not UTF-8 are read in the code page given, as iconv
    // names it (none when empty).
    Result resolve(const QString& path, const QByteArray& legacyCodePage = {});

    // Drops the kept listing of a folder (a real path, as resolve() gives).
    void forgetFolder(const QString& folder);
    void forgetAll();

  private:
    struct Listing;
    struct FolderState;
    struct KnownFolder {
        QString real;
        bool caseDiffers = false;
        bool legacyName = false;
    };

    std::shared_ptr<Listing> listingOf(const QString& folder, const FolderState& state,
                                       bool forceRelist);
    // The index of the entry to take for a part, -1 for none.
    int match(const QString& folder, Listing& listing, const QString& part, bool needFolder,
              const QByteArray& legacyCodePage, Result& result);
    // The entry's path below its folder: a kept descriptor's path for a
    // name that is not UTF-8; empty when it cannot be opened.
    QString entryPath(const QString& folder, const Listing& listing, int index);

    // The last part alone, in a folder found before: one look at the folder
    // instead of a walk from the course folder down.
    bool resolveInKnownFolder(const QString& path, qsizetype lastSeparator,
                              const QByteArray& legacyCodePage, Result& result);

    QMutex mutex_;
    QHash<QString, std::shared_ptr<Listing>> listings_;
    // Folders as paths name them, with the real folder they were found as.
    QHash<QString, KnownFolder> knownFolders_;
    // Descriptors opened with O_PATH for names that are not UTF-8, by the
    // bytes of their path.
    QHash<QByteArray, int> legacyEntries_;
};

}  // namespace lectern::platform
