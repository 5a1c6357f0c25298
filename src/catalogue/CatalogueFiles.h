#pragma once

#include "platform/files/LineBudget.h"

#include <QString>

namespace lectern::catalogue {

// The files that describe a course, as the course folder holds them.
namespace CatalogueFiles {
inline const QString Tree = QStringLiteral("main.mrb");
inline const QString Types = QStringLiteral("main.mtp");
inline const QString Sounds = QStringLiteral("sound.mtp");
inline const QString Names = QStringLiteral("name.mtp");
inline const QString Texts = QStringLiteral("text.mtp");
inline const QString Translations = QStringLiteral("trans.mtp");
inline const QString Descriptions = QStringLiteral("descr.mtp");
inline const QString Times = QStringLiteral("time.mtp");
inline const QString Captions = QStringLiteral("zagol.mtp");
inline const QString Marks = QStringLiteral("zmarks.mtp");
inline const QString WindowSettings = QStringLiteral("wind.mtp");
inline const QString Layout = QStringLiteral("main.dsg");
inline const QString Reserved = QStringLiteral("main.rbp");

// What a catalogue file may hold: a course has at most this many lesson
// nodes, and no line of the catalogue is longer than this. A file over it is
// refused as it is read, before its lines take memory.
inline constexpr qsizetype MaxNodes = 100'000;
inline constexpr qsizetype MaxLineBytes = 64 * 1024;
inline constexpr platform::LineBudget Budget{MaxNodes, MaxLineBytes};
}  // namespace CatalogueFiles

// The fixed relative parts that, appended to the application folder, name
// the course's data.
namespace CoursePaths {
inline const QString Descriptions = QStringLiteral("\\data\\descr\\");
inline const QString Texts = QStringLiteral("\\data\\text\\");
inline const QString Marks = QStringLiteral("\\data\\marks\\");
inline const QString Sounds = QStringLiteral("data\\sound\\");  // below SoundRoot
inline const QString IntroSound = QStringLiteral("\\data\\intro.wav");
inline const QString BlankRecording = QStringLiteral("\\data\\empty.wav");
inline const QString UserMarks = QStringLiteral("\\data\\umarks.txt");
inline const QString TempRecording = QStringLiteral("\\data\\temp");
inline const QString Help = QStringLiteral("\\help\\help.htm");
inline const QString LessonHelp = QStringLiteral("\\help\\help_");
}  // namespace CoursePaths

}  // namespace lectern::catalogue
