#pragma once

#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <map>

namespace lectern::test {

// A one-lesson course with every skin picture, each of its own size, so that
// a test can tell which file ended up where. The geometry lines are
// distinct too.
class SkinCourse {
  public:
    SkinCourse();

    QString path() const { return dir_.path(); }
    // The size of the picture "gdata\<name>.jpg".
    QSize pictureSize(const QString& name) const { return sizes_.at(name); }
    // Geometry line n.
    int line(int n) const { return layout_[n].toInt(); }

    void setLine(int n, const QString& value);
    void setWindowSetting(int n, const QString& value);
    void write(const QString& relativePath, const QByteArray& bytes) const {
        dir_.write(relativePath, bytes);
    }

    static const QStringList pictureNames;

  private:
    void writeLayout() const;
    void writeSettings() const;

    TempDir dir_;
    std::map<QString, QSize> sizes_;
    QStringList layout_;
    QStringList settings_;
};

// Makes a folder the current one for the life of the object.
class CurrentFolder {
  public:
    explicit CurrentFolder(const QString& folder);
    ~CurrentFolder();

  private:
    QString previous_;
};

}  // namespace lectern::test
