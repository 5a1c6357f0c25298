#include "support/TempDir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include <ftw.h>
#include <cstdio>

namespace lectern::test {

TempDir::TempDir() {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    // QTemporaryDir lists names as text and cannot remove one kept in a
    // legacy code page's bytes; the folder goes by its bytes instead.
    ::nftw(
        QFile::encodeName(dir_.path()).constData(),
        [](const char* path, const struct stat*, int, FTW*) {
            std::remove(path);
            return 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
}

QString TempDir::write(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = dir_.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

void TempDir::copyTree(const QString& from) const {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = dir_.filePath(QDir(from).relativeFilePath(source));
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        if (!QFile::copy(source, target))
            throw std::runtime_error("cannot copy " + source.toStdString());
    }
}

QString testDataPath(const QString& relative) {
    const QByteArray root = qgetenv("LECTERN_TEST_DATA");
    const QString base = root.isEmpty() ? QStringLiteral(LECTERN_SOURCE_DIR "/tests/data")
                                        : QString::fromLocal8Bit(root);
    return relative.isEmpty() ? base : base + QLatin1Char('/') + relative;
}

}  // namespace lectern::test
