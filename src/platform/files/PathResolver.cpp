#include "platform/files/PathResolver.h"

#include "platform/files/TextDecoding.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace lectern::platform {

// What a folder's own entry says: enough to tell whether a kept listing of it
// is still the folder's content.
struct PathResolver::FolderState {
    bool isFolder = false;
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
};

struct PathResolver::Listing {
    enum Kind : signed char { Unknown = -1, Missing = 0, File = 1, Folder = 2 };
    struct Entry {
        QString name;
        Kind kind;
        // For a name that is not UTF-8: its bytes, and what they read as in
        // the code page last asked for.
        QByteArray bytes;
        QString decoded;
        QByteArray decodedIn;
    };

    FolderState state;
    timespec listedAt{};
    std::vector<Entry> entries;  // sorted by name
    QHash<QString, int> byName;
    QHash<QString, std::vector<int>> byFoldedName;  // indexes in sorted order

    // A folder changed in the same clock tick as its listing may change
    // again without its time moving on: such a listing is not trusted with
    // a miss.
    bool mayBeStale() const { return listedAt.tv_sec - state.changed.tv_sec < 2; }
};

namespace {

QString foldedName(const QString& name) {
    return name.normalized(QString::NormalizationForm_C).toCaseFolded();
}

// Appends a part to a path being built; an empty relative prefix takes the
// part alone, so relative paths stay relative.
void appendPart(QString& path, bool absolute, const QString& part) {
    if (!path.isEmpty() || absolute)
        path += QLatin1Char('/');
    path += part;
}

QString folderPath(const QString& built, bool absolute) {
    if (built.isEmpty())
        return absolute ? QStringLiteral("/") : QStringLiteral(".");
    return built;
}

bool readState(const QByteArray& nativePath, bool& isFolder, dev_t& device, ino_t& inode,
               timespec& changed) {
    struct stat st;
    if (::stat(nativePath.constData(), &st) != 0)
        return false;
    isFolder = S_ISDIR(st.st_mode);
    device = st.st_dev;
    inode = st.st_ino;
    changed = st.st_mtim;
    return true;
}

bool readState(const QString& path, bool& isFolder, dev_t& device, ino_t& inode,
               timespec& changed) {
    return readState(QFile::encodeName(path), isFolder, device, inode, changed);
}

QByteArray nativeEntryPath(const QString& folder, const QByteArray& name) {
    return QFile::encodeName(folder) + '/' + name;
}

bool sameState(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

PathResolver::PathResolver() = default;

PathResolver::~PathResolver() {
    for (const int descriptor : std::as_const(legacyEntries_))
        ::close(descriptor);
}

QString PathResolver::entryPath(const QString& folder, const Listing& listing, int index) {
    const Listing::Entry& entry = listing.entries[static_cast<size_t>(index)];
    if (entry.bytes.isEmpty())
        return folder + QLatin1Char('/') + entry.name;
    const QByteArray native = nativeEntryPath(folder, entry.bytes);
    struct stat now;
    if (::stat(native.constData(), &now) != 0)
        return {};
    // A kept descriptor serves while it still is the entry of that name.
    if (const auto kept = legacyEntries_.constFind(native); kept != legacyEntries_.constEnd()) {
        struct stat held;
        if (::fstat(*kept, &held) == 0 && held.st_dev == now.st_dev && held.st_ino == now.st_ino)
            return QStringLiteral("/proc/self/fd/%1").arg(*kept);
        ::close(*kept);
        legacyEntries_.remove(native);
    }
    const int descriptor = ::open(native.constData(), O_PATH | O_CLOEXEC);
    if (descriptor < 0)
        return {};
    legacyEntries_.insert(native, descriptor);
    return QStringLiteral("/proc/self/fd/%1").arg(descriptor);
}

void PathResolver::forgetFolder(const QString& folder) {
    QMutexLocker lock(&mutex_);
    listings_.remove(folder.isEmpty() ? QStringLiteral(".") : folder);
}

void PathResolver::forgetAll() {
    QMutexLocker lock(&mutex_);
    listings_.clear();
    knownFolders_.clear();
}

bool PathResolver::resolveInKnownFolder(const QString& path, qsizetype lastSeparator,
                                        const QByteArray& legacyCodePage, Result& result) {
    const auto known = knownFolders_.constFind(path.left(lastSeparator));
    if (known == knownFolders_.constEnd())
        return false;
    const QString folder = known->real;
    FolderState state;
    if (!readState(folder, state.isFolder, state.device, state.inode, state.changed) ||
        !state.isFolder)
        return false;
    const QString part = path.mid(lastSeparator + 1);
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
        return false;
    const std::shared_ptr<Listing> listing = listingOf(folder, state, false);
    if (!listing)
        return false;
    Result found;
    const int index = match(folder, *listing, part, false, legacyCodePage, found);
    // A miss takes the long way, which also tells why.
    if (index < 0)
        return false;
    const QString real = entryPath(folder, *listing, index);
    if (real.isEmpty())
        return false;
    result.path = real;
    result.failure = Failure::None;
    result.caseDiffers = known->caseDiffers || found.caseDiffers;
    result.legacyName = known->legacyName || found.legacyName;
    result.ambiguous = std::move(found.ambiguous);
    return true;
}

std::shared_ptr<PathResolver::Listing> PathResolver::listingOf(const QString& folder,
                                                               const FolderState& state,
                                                               bool forceRelist) {
    if (!forceRelist) {
        const auto it = listings_.constFind(folder);
        if (it != listings_.constEnd()) {
            const FolderState& kept = (*it)->state;
            if (kept.device == state.device && kept.inode == state.inode &&
                sameState(kept.changed, state.changed))
                return *it;
        }
    }
    listings_.remove(folder);
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return nullptr;
    auto listing = std::make_shared<Listing>();
    listing->state = state;
    clock_gettime(CLOCK_REALTIME, &listing->listedAt);
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        Listing::Kind kind = Listing::Unknown;
        if (entry->d_type == DT_DIR)
            kind = Listing::Folder;
        else if (entry->d_type == DT_REG)
            kind = Listing::File;
        const QByteArray bytes(name);
        listing->entries.push_back({QFile::decodeName(bytes), kind,
                                    TextDecoding::isValidUtf8(bytes) ? QByteArray() : bytes,
                                    QString(), QByteArray()});
    }
    ::closedir(dir);
    std::sort(listing->entries.begin(), listing->entries.end(),
              [](const Listing::Entry& a, const Listing::Entry& b) { return a.name < b.name; });
    listing->byName.reserve(static_cast<qsizetype>(listing->entries.size()));
    for (int i = 0; i < static_cast<int>(listing->entries.size()); ++i) {
        const QString& name = listing->entries[static_cast<size_t>(i)].name;
        listing->byName.insert(name, i);
        listing->byFoldedName[foldedName(name)].push_back(i);
    }
    listings_.insert(folder, listing);
    return listing;
}

int PathResolver::match(const QString& folder, Listing& listing, const QString& part,
                        bool needFolder, const QByteArray& legacyCodePage, Result& result) {
    // Links and entries the listing did not type are looked at only when
    // they are candidates; a dangling link or a loop counts as missing.
    const auto kindOf = [&](int index) {
        Listing::Entry& entry = listing.entries[static_cast<size_t>(index)];
        if (entry.kind == Listing::Unknown) {
            bool isFolder = false;
            dev_t device;
            ino_t inode;
            timespec changed;
            const bool exists = entry.bytes.isEmpty()
                                    ? readState(folder + QLatin1Char('/') + entry.name, isFolder,
                                                device, inode, changed)
                                    : readState(nativeEntryPath(folder, entry.bytes), isFolder,
                                                device, inode, changed);
            entry.kind = !exists ? Listing::Missing : isFolder ? Listing::Folder : Listing::File;
        }
        return entry.kind;
    };
    const auto fits = [&](int index) {
        const Listing::Kind kind = kindOf(index);
        return needFolder ? kind == Listing::Folder : kind != Listing::Missing;
    };

    if (const auto exact = listing.byName.constFind(part);
        exact != listing.byName.constEnd() && fits(*exact))
        return *exact;
    const QString folded = foldedName(part);
    const auto alike = listing.byFoldedName.constFind(folded);
    std::vector<int> fitting;
    if (alike != listing.byFoldedName.constEnd())
        for (const int index : *alike)
            if (fits(index))
                fitting.push_back(index);
    if (!fitting.empty()) {
        if (fitting.size() > 1) {
            QStringList names;
            for (const int index : fitting)
                names.append(listing.entries[static_cast<size_t>(index)].name);
            result.ambiguous.push_back(names);
        }
        result.caseDiffers = true;
        return fitting.front();
    }

    // Names in the legacy code page's bytes: as written, then but for case.
    if (!legacyCodePage.isEmpty()) {
        int alikeInCase = -1;
        for (int index = 0; index < static_cast<int>(listing.entries.size()); ++index) {
            Listing::Entry& entry = listing.entries[static_cast<size_t>(index)];
            if (entry.bytes.isEmpty())
                continue;
            if (entry.decodedIn != legacyCodePage) {
                entry.decoded = TextDecoding::decodeSingleByte(entry.bytes, legacyCodePage);
                entry.decodedIn = legacyCodePage;
            }
            if (entry.decoded == part && fits(index)) {
                result.legacyName = true;
                return index;
            }
            if (alikeInCase < 0 && foldedName(entry.decoded) == folded && fits(index))
                alikeInCase = index;
        }
        if (alikeInCase >= 0) {
            result.legacyName = true;
            result.caseDiffers = true;
            return alikeInCase;
        }
    }

    const bool fileInTheWay = alike != listing.byFoldedName.constEnd() &&
                              std::any_of(alike->begin(), alike->end(), [&](int index) {
                                  return kindOf(index) == Listing::File;
                              });
    result.failure = fileInTheWay ? Failure::NotAFolder : Failure::NotFound;
    return -1;
}

PathResolver::Result PathResolver::resolve(const QString& path, const QByteArray& legacyCodePage) {
    Result result;
    result.path = path;
    // The system's calls end a name at a NUL: such a path would find the
    // file named by its first part instead of none.
    if (path.isEmpty() || path.contains(QChar(0))) {
        result.failure = Failure::NotFound;
        return result;
    }
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return result;

    QMutexLocker lock(&mutex_);
    const qsizetype lastSeparator = path.lastIndexOf(QLatin1Char('/'));
    if (lastSeparator > 0 && resolveInKnownFolder(path, lastSeparator, legacyCodePage, result))
        return result;
    const bool absolute = path.startsWith(QLatin1Char('/'));
    const QStringList parts = path.split(QLatin1Char('/'));
    const int first = absolute ? 1 : 0;
    const int count = static_cast<int>(parts.size());
    // separators[j]: the position of the '/' that ends part j.
    std::vector<qsizetype> separators;
    separators.reserve(static_cast<size_t>(count));
    for (qsizetype at = path.indexOf(QLatin1Char('/')); at >= 0;
         at = path.indexOf(QLatin1Char('/'), at + 1))
        separators.push_back(at);

    // The longest prefix that is a folder as written needs no matching.
    FolderState state;
    QString built;
    int next = count - 1;
    for (; next > first; --next) {
        built = path.left(separators[static_cast<size_t>(next - 1)]);
        if (readState(built, state.isFolder, state.device, state.inode, state.changed) &&
            state.isFolder)
            break;
    }
    if (next <= first) {
        next = first;
        built.clear();
        readState(folderPath(built, absolute), state.isFolder, state.device, state.inode,
                  state.changed);
    }

    const auto fail = [&](int at, Failure failure) {
        result.failure = failure;
        result.failedPart = parts[at];
        result.failedFolder = folderPath(built, absolute);
        QString rest = built;
        for (int j = at; j < count; ++j)
            appendPart(rest, absolute, parts[j]);
        result.path = rest;
        result.caseDiffers = false;
        result.legacyName = false;
        return result;
    };

    // The folder of the last part, as found, and how it was found.
    KnownFolder lastFolder;

    for (int i = next; i < count; ++i) {
        const QString& part = parts[i];
        const bool last = i == count - 1;
        if (!state.isFolder)
            return fail(i, Failure::NotAFolder);
        const QString folder = folderPath(built, absolute);
        if (last)
            lastFolder = {built, result.caseDiffers, result.legacyName};
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            appendPart(built, absolute, part);
        } else {
            std::shared_ptr<Listing> listing = listingOf(folder, state, false);
            if (!listing)
                return fail(i, Failure::Unreadable);
            int index = match(folder, *listing, part, !last, legacyCodePage, result);
            if (index < 0 && listing->mayBeStale()) {
                listing = listingOf(folder, state, true);
                if (!listing)
                    return fail(i, Failure::Unreadable);
                index = match(folder, *listing, part, !last, legacyCodePage, result);
            }
            if (index < 0)
                return fail(i, result.failure);
            const Listing::Entry& entry = listing->entries[static_cast<size_t>(index)];
            if (entry.bytes.isEmpty()) {
                appendPart(built, absolute, entry.name);
            } else {
                QString real = entryPath(folder, *listing, index);
                if (real.isEmpty())
                    return fail(i, Failure::NotFound);
                built = std::move(real);
            }
        }
        if (last)
            break;
        if (!readState(built, state.isFolder, state.device, state.inode, state.changed))
            return fail(i + 1, Failure::NotFound);
    }
    result.failure = Failure::None;
    result.path = built;
    // Relative paths change meaning with the current folder: only absolute
    // folders are remembered.
    if (absolute && lastSeparator > 0)
        knownFolders_.insert(path.left(lastSeparator), lastFolder);
    return result;
}

}  // namespace lectern::platform
