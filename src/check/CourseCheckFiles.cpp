// The files the catalogue names: whether they are there, how they were
// found, and whether the player's readers can read them.
#include "check/CourseCheck.h"

#include "catalogue/Marks.h"
#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "platform/files/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace lectern::check {
namespace {

const QString kCaseNote =
    QStringLiteral("the letter case differs (works here, not on a case-sensitive web server)");

}  // namespace

void CourseCheck::reportCaseDifferences(
    const QString& written, const QString& real,
    const std::function<void(Finding::Severity, const QString&)>& report) {
    // A folder in another case is told once, not once for every file in it.
    const QStringList writtenParts = written.split(QLatin1Char('/'));
    const QStringList realParts = real.split(QLatin1Char('/'));
    if (writtenParts.size() != realParts.size()) {
        report(Finding::Warning, QStringLiteral("found only as %1: %2").arg(real, kCaseNote));
        return;
    }
    for (qsizetype i = 0; i < writtenParts.size(); ++i) {
        if (writtenParts[i] == realParts[i])
            continue;
        if (i == writtenParts.size() - 1) {
            report(Finding::Warning, QStringLiteral("found only as %1: %2").arg(real, kCaseNote));
            continue;
        }
        const QString folder = writtenParts.mid(0, i + 1).join(QLatin1Char('/'));
        if (folderCaseWarned_.contains(folder))
            continue;
        folderCaseWarned_.insert(folder);
        report(Finding::Warning,
               QStringLiteral("folder %1 found only as %2: %3")
                   .arg(folder, realParts.mid(0, i + 1).join(QLatin1Char('/')), kCaseNote));
    }
}

QString CourseCheck::legacyNameNote(const QString& codePage) {
    return QStringLiteral(
               "the name is kept in %1 bytes, not UTF-8 (found here, but other tools "
               "may not; unpack the course so that names become UTF-8, e.g. unzip -O "
               "%1)")
        .arg(codePage);
}

std::optional<QString> CourseCheck::checkFile(const QString& coursePath, const Reference& from,
                                              const QString& what) {
    const QString native = platform::CourseFiles::nativePath(coursePath);
    if (const auto done = checkedFiles_.constFind(native); done != checkedFiles_.constEnd())
        return *done;
    const QString shown = displayPath(coursePath);
    // Findings about a named file go to the line that names it; a file no
    // line names (the skin, the help page) is itself the place.
    const auto report = [&](Finding::Severity severity, const QString& detail) {
        if (from.file.isEmpty())
            report_.findings.push_back({severity, shown, 0, what + QStringLiteral(": ") + detail});
        else
            report_.findings.push_back({severity, from.file, from.line,
                                        QStringLiteral("%1 %2: %3").arg(what, shown, detail)});
    };
    std::optional<QString> result;
    const QString cleaned = QDir::cleanPath(shown);
    if (cleaned == QLatin1String("..") || cleaned.startsWith(QLatin1String("../")) ||
        QDir::isAbsolutePath(cleaned))
        report(Finding::Problem, QStringLiteral("leaves the course folder"));
    if (native.endsWith(QLatin1Char('/'))) {
        report(Finding::Problem, QStringLiteral("no file named"));
        checkedFiles_.insert(native, result);
        return result;
    }
    const platform::PathResolver::Result found = files_.lookup(coursePath);
    using Failure = platform::PathResolver::Failure;
    switch (found.failure) {
        case Failure::None:
            break;
        case Failure::NotFound:
            report(Finding::Problem, QStringLiteral("not found"));
            break;
        case Failure::NotAFolder:
            report(
                Finding::Problem,
                QStringLiteral("not found: \"%1\" is a file, not a folder").arg(found.failedPart));
            break;
        case Failure::Unreadable:
            report(Finding::Problem, QStringLiteral("not found: the folder %1 cannot be read")
                                         .arg(displayPath(found.failedFolder)));
            break;
    }
    if (found.found()) {
        const QFileInfo info(found.path);
        if (info.isDir()) {
            report(Finding::Problem, QStringLiteral("is a folder, not a file"));
        } else if (!info.isReadable()) {
            report(Finding::Problem, QStringLiteral("cannot be read"));
        } else if (const platform::SafeFile opened = platform::SafeFile::openToRead(
                       found.path, platform::SafeFile::soundLimit, files_.courseFolder());
                   !opened.isOpen()) {
            // What the player refuses: a FIFO, a device, a link out of the course.
            report(Finding::Problem, opened.failure());
        } else {
            result = found.path;
            if (found.legacyName)
                report(Finding::Warning, legacyNameNote(report_.codePage));
            else if (found.caseDiffers)
                reportCaseDifferences(shown, displayPath(found.path), report);
            for (const QStringList& names : found.ambiguous)
                report(Finding::Warning,
                       QStringLiteral("several names differ only in letter case (%1); the player "
                                      "takes \"%2\"")
                           .arg(names.join(QStringLiteral(", ")), names.front()));
        }
    }
    checkedFiles_.insert(native, result);
    return result;
}

std::optional<QString> CourseCheck::checkPage(const QString& coursePath, const Reference& from,
                                              const QString& what) {
    const std::optional<QString> real = checkFile(coursePath, from, what);
    if (!real || pages_.count(*real))
        return real;
    ContentProbe::Page page = ContentProbe::page(*real, files_.decoding());
    if (!page.error.isEmpty())
        problem(displayPath(*real), 0,
                QStringLiteral("cannot be read as a page: %1").arg(page.error));
    checkPageResources(*real, page);
    pages_[*real] = std::move(page);
    return real;
}

void CourseCheck::checkPageResources(const QString& pagePath, const ContentProbe::Page& page) {
    const QString folder = QFileInfo(pagePath).path();
    for (const ContentProbe::Page::Resource& resource : page.resources()) {
        // Addresses of the web and of data are not the course's files.
        const QUrl url(resource.address.trimmed());
        if (resource.address.trimmed().isEmpty() ||
            (url.scheme().size() > 1 && url.scheme() != QLatin1String("file")) ||
            url.path().isEmpty())
            continue;
        const QString path = url.scheme() == QLatin1String("file") ? url.toLocalFile() : url.path();
        checkFile(QDir::cleanPath(
                      path.startsWith(QLatin1Char('/')) ? path : folder + QLatin1Char('/') + path),
                  {displayPath(pagePath), 0}, resource.kind);
    }
}

std::optional<QString> CourseCheck::checkSound(const QString& coursePath, const Reference& from,
                                               const QString& what) {
    const std::optional<QString> real = checkFile(coursePath, from, what);
    if (!real || sounds_facts_.count(*real))
        return real;
    ContentProbe::Sound sound = ContentProbe::sound(*real);
    if (!sound.error.isEmpty())
        problem(displayPath(*real), 0, QStringLiteral("cannot be played: %1").arg(sound.error));
    // The blank recording is meant to be empty; a lesson sound is not.
    else if (sound.empty && what != QLatin1String("blank recording"))
        problem(displayPath(*real), 0, QStringLiteral("holds no sound"));
    sounds_facts_[*real] = std::move(sound);
    return real;
}

std::optional<QString> CourseCheck::checkPicture(const QString& coursePath, const Reference& from,
                                                 const QString& what) {
    const std::optional<QString> real = checkFile(coursePath, from, what);
    if (!real)
        return real;
    if (const QString error = ContentProbe::pictureError(*real, &pictures_); !error.isEmpty())
        problem(displayPath(*real), 0, QStringLiteral("cannot be shown: %1").arg(error));
    return real;
}

std::optional<QString> CourseCheck::checkText(const QString& coursePath, const Reference& from,
                                              const QString& what, platform::StringList& lines) {
    const std::optional<QString> real = checkFile(coursePath, from, what);
    if (!real)
        return real;
    platform::TextDecoding::Report decoding;
    try {
        lines = platform::StringList(
            platform::StringList::splitLines(files_.readText(*real, &decoding)));
    } catch (const platform::Error& e) {
        problem(displayPath(*real), 0, e.message());
        return std::nullopt;
    }
    reportDecoding(displayPath(*real), decoding);
    return real;
}

std::optional<CourseCheck::Marks> CourseCheck::readMarks(const QString& coursePath,
                                                         const Reference& from,
                                                         const QString& what) {
    const QString native = platform::CourseFiles::nativePath(coursePath);
    if (const auto done = marksFiles_.find(native); done != marksFiles_.end())
        return done->second;
    std::optional<Marks>& result = marksFiles_[native];
    platform::StringList lines;
    const std::optional<QString> real = checkText(coursePath, from, what, lines);
    if (!real)
        return result;
    const QString shown = displayPath(*real);
    if (lines.Count() == 0) {
        problem(shown, 0, QStringLiteral("holds no marks"));
        return result;
    }
    Marks marks;
    int line = 0;
    for (catalogue::MarkLine& read : catalogue::ReadMarkLines(lines)) {
        ++line;
        if (!read.fault.isEmpty())
            problem(shown, line, read.fault);
        marks.push_back(read.mark);
    }
    result = std::move(marks);
    return result;
}

void CourseCheck::checkSkin() {
    static const char* const pictures[] = {
        "top2", "bot2", "bot3", "top", "bot", "left", "right", "m1",  "m2", "m3",
        "m4",   "m5",   "m6",   "m7",  "m8",  "m9",   "m10",   "m11", "c1", "c2a",
    };
    for (const char* name : pictures)
        checkPicture(QStringLiteral("gdata\\%1.jpg").arg(QLatin1String(name)), {},
                     QStringLiteral("skin picture"));
}

}  // namespace lectern::check
