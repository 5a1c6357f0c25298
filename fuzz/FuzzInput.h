#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace lectern::fuzz {

// The fuzzer's bytes as Qt holds them.
inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A folder of this process that lives as long as the process.
inline const QString& scratchFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/lectern-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

// Writes the bytes to a file below the scratch folder and gives its path,
// so that a target reads them the way the player reads a course file.
inline QString writeScratch(const QString& name, const QByteArray& bytes) {
    const QString path = scratchFolder() + QLatin1Char('/') + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

}  // namespace lectern::fuzz
