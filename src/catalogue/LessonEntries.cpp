#include "catalogue/LessonEntries.h"

#include "catalogue/CatalogueFiles.h"
#include "platform/Convert.h"

namespace lectern::catalogue {

LessonEntries::LessonEntries(const Lists& lists, int node, QString appFolder, QString soundRoot)
    : lists_(lists),
      node_(node),
      appFolder_(std::move(appFolder)),
      soundRoot_(std::move(soundRoot)) {}

QString LessonEntries::Caption() const {
    return lists_.captions[node_];
}

QString LessonEntries::PagePath() const {
    return appFolder_ + CoursePaths::Texts + lists_.texts[node_];
}

QString LessonEntries::TranslationPath() const {
    return appFolder_ + CoursePaths::Texts + lists_.translations[node_];
}

QString LessonEntries::MarksPath() const {
    return appFolder_ + CoursePaths::Marks + lists_.marks[node_];
}

QString LessonEntries::SoundPath() const {
    return soundRoot_ + CoursePaths::Sounds + lists_.sounds[node_];
}

int LessonEntries::Seconds() const {
    return platform::StrToInt(lists_.times[node_]);
}

QString LessonEntries::BlankRecordingPath() const {
    return appFolder_ + CoursePaths::BlankRecording;
}

QString LessonEntries::UserMarksPath() const {
    return appFolder_ + CoursePaths::UserMarks;
}

QString LessonEntries::NoTemporaryRecordingMessage() const {
    return QStringLiteral("Cannot record: the temporary recording files ") + appFolder_ +
           CoursePaths::TempRecording + QStringLiteral("1.wav to temp99999.wav all exist");
}

}  // namespace lectern::catalogue
