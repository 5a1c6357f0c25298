// lectern-check on a generated course: a copy of a clean course in which the
// input replaces some files. The input is chunks separated by "@"; the
// first byte of a chunk picks the file, the rest is its new content.
#include "FuzzInput.h"
#include "check/CourseCheck.h"
#include "platform/files/CourseFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <map>

using namespace lectern;

namespace {

// The clean course's files, relative to its folder, in sorted order; the
// seeds and the dictionary number them the same way.
const QStringList& courseFiles() {
    static const QStringList files = [] {
        QStringList list;
        const QString source = QString::fromLocal8Bit(qgetenv("LECTERN_FUZZ_COURSE"));
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            list.append(QDir(source).relativeFilePath(it.next()));
        list.sort();
        return list;
    }();
    return files;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (courseFiles().isEmpty()) {
        fprintf(stderr, "LECTERN_FUZZ_COURSE must name a course folder\n");
        abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString source = QString::fromLocal8Bit(qgetenv("LECTERN_FUZZ_COURSE"));
    static const QString course = fuzz::scratchFolder() + QStringLiteral("/course");
    static const bool copied = [] {
        for (const QString& file : courseFiles()) {
            QDir().mkpath(QFileInfo(course + '/' + file).path());
            QFile::copy(source + '/' + file, course + '/' + file);
        }
        return true;
    }();
    (void)copied;

    std::map<QString, QByteArray> replaced;
    for (const QByteArray& chunk : fuzz::bytesOf(data, size).split('@')) {
        if (chunk.isEmpty() || replaced.size() >= 4)
            continue;
        const QString file = courseFiles()[static_cast<uchar>(chunk[0]) % courseFiles().size()];
        const QString path = course + '/' + file;
        if (!replaced.count(file))
            replaced[file] = readAll(path);
        fuzz::writeScratch(QStringLiteral("course/") + file, chunk.mid(1));
    }
    const QString here = QDir::currentPath();
    QDir::setCurrent(course);
    platform::CourseFiles files;
    const check::CheckReport report = check::CourseCheck(files).run();
    (void)report.toText();
    (void)report.toJson();
    QDir::setCurrent(here);
    for (const auto& [file, bytes] : replaced)
        fuzz::writeScratch(QStringLiteral("course/") + file, bytes);
    return 0;
}
