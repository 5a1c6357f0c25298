#pragma once

#include "platform/StringList.h"

#include <QString>

namespace lectern::catalogue {

// One lesson node's entries in the per-node lists, and the course paths a
// lesson's set-up forms from them. Each is read when asked for, so a list
// without a line for the node raises its error at the step that needs it.
class LessonEntries {
  public:
    // The lists the set-ups read; they outlive the entries.
    struct Lists {
        const platform::StringList& captions;
        const platform::StringList& texts;
        const platform::StringList& translations;
        const platform::StringList& marks;
        const platform::StringList& sounds;
        const platform::StringList& times;
    };

    // soundRoot is the application folder with its trailing backslash.
    LessonEntries(const Lists& lists, int node, QString appFolder, QString soundRoot);

    QString Caption() const;
    // Below "\data\text\": the lesson page (or sorting file) and its translation.
    QString PagePath() const;
    QString TranslationPath() const;
    // Below "\data\marks\".
    QString MarksPath() const;
    // Below "data\sound\" of the sound root.
    QString SoundPath() const;
    // The time entry as a whole number of seconds.
    int Seconds() const;

    const QString& AppFolder() const { return appFolder_; }
    QString BlankRecordingPath() const;
    QString UserMarksPath() const;
    // The message of a recording lesson that finds every temporary name taken.
    QString NoTemporaryRecordingMessage() const;

  private:
    Lists lists_;
    int node_;
    QString appFolder_;
    QString soundRoot_;
};

}  // namespace lectern::catalogue
