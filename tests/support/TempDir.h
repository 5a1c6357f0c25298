#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace lectern::test {

// A scratch folder for one test, removed afterwards, names that are not
// UTF-8 included.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    QString path() const { return dir_.path(); }
    // Writes a file below the folder, creating its sub-folders; returns its path.
    QString write(const QString& relativePath, const QByteArray& bytes) const;
    // Copies a whole folder tree (a course under tests/data) into this folder.
    void copyTree(const QString& from) const;

  private:
    QTemporaryDir dir_;
};

// Folder of the test data shipped with the sources (tests/data).
QString testDataPath(const QString& relative = QString());

}  // namespace lectern::test
