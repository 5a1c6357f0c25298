#pragma once

#include "platform/CourseFiles.h"
#include "platform/Platform.h"
#include "platform/browser/BrowserEngine.h"
#include "platform/media/AudioEngine.h"
#include "support/ImmediateModalRunner.h"
#include "support/RecordingDialogs.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <map>

namespace lectern::test {

// Headless services for building the window set in a test.
struct TestPlatform {
    RecordingDialogs dialogs;
    RecordingShell shell;
    ImmediateModalRunner modal;
    platform::CourseFiles files;
    platform::BrowserEngine browsers;
    platform::AudioEngine audio;
    platform::Platform platform{dialogs, shell, modal, files, browsers, audio};
};

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
