#include "catalogue/LessonTypes.h"

namespace lectern::catalogue {
namespace {

using K = LessonKind;
constexpr LessonType kTypes[] = {
    // code kind                   text   trans  marks  sound  time   blank  help
    {"1", K::NarratedReading, true, false, true, true, false, false, true},
    {"2", K::UnitWork, true, true, true, true, false, false, true},
    {"3", K::Recording, true, false, true, false, false, true, true},
    {"4", K::RecordingReplay, true, true, false, false, false, false, true},
    {"11", K::PlayAlongRecording, true, false, true, true, false, true, true},
    {"5", K::ChoiceTest, true, false, false, false, true, false, true},
    {"6", K::WrittenTest, true, false, false, false, true, false, true},
    {"7", K::SavedWrittenTest, true, false, false, false, true, false, true},
    {"8", K::TimedRecording, true, false, false, false, true, true, true},
    {"9", K::Sorting, false, false, false, false, true, false, false},
};

}  // namespace

std::span<const LessonType> lessonTypes() {
    return kTypes;
}

const LessonType& lessonTypeOf(LessonKind kind) {
    for (const LessonType& type : kTypes)
        if (type.kind == kind)
            return type;
    Q_UNREACHABLE();
}

const LessonType* lessonTypeOf(const QString& entry) {
    for (const LessonType& type : kTypes)
        if (entry == QLatin1String(type.code))
            return &type;
    return nullptr;
}

}  // namespace lectern::catalogue
