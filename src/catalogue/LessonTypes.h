#pragma once

#include <QString>
#include <span>

namespace lectern::catalogue {

// What a lesson type runs: the window the launcher prepares and how.
enum class LessonKind {
    NarratedReading,     // the reading window follows the lesson's sound
    UnitWork,            // page and translation with the lesson's sound
    Recording,           // the learner records along the marks
    RecordingReplay,     // page and translation with the learner's last recording
    PlayAlongRecording,  // recording along the marks while the lesson's sound plays
    ChoiceTest,          // the test window, checked as multiple choice
    WrittenTest,         // the test window, checked as written answers
    SavedWrittenTest,    // a written test whose page the learner saves
    TimedRecording,      // recording against a time limit
    Sorting,             // the sorting exercise
};

// One lesson type: its code in the type list, what it runs, and the per-node
// entries and course files it reads besides the caption.
struct LessonType {
    const char* code;
    LessonKind kind;
    bool text;            // a page below "\data\text\" (for sorting, the sorting file)
    bool translation;     // the translation page
    bool marks;           // a marks file
    bool sound;           // the lesson's sound
    bool time;            // a time limit in seconds
    bool blankRecording;  // the blank recording it records over
    bool help;            // its help page "\help\help_" + code + ".htm"
};

// Every lesson type. A node whose type entry matches none of them opens
// nothing: chapters ("0" or empty) on purpose.
std::span<const LessonType> lessonTypes();

// What a chapter's type entry holds by custom; like any entry that is no
// lesson type, it opens nothing.
inline constexpr const char* ChapterCode = "0";

// The type of a kind.
const LessonType& lessonTypeOf(LessonKind kind);

// The type whose code the entry is, compared as text exactly (" 1", "01"
// match nothing), or null.
const LessonType* lessonTypeOf(const QString& entry);

}  // namespace lectern::catalogue
