// The reading window and the words of its page: the narration waits while
// a word's popup is open, and nothing is looked up while it records.
#include "exercises/LessonWords.h"
#include "exercises/NarrationButtons.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/reading/TViewTxtFrm.h"

#include <algorithm>

namespace lectern::exercises {

bool TViewTxtFrm::IsRecording() const {
    return isVisible() && RecordingMode && (Timer1->isActive() || Timer2->isActive());
}

void TViewTxtFrm::makeLookup(platform::WindowKeys& keys, const NarrationButtons& sound) {
    Lookup = std::make_unique<LessonWords>(
        *this, keys,
        LessonWords::Lesson{
            [this, sound] { return !RecordingMode && !Paused && sound.hold(); },
            [sound] { sound.release(); },
            // Before a passage is passed, the current one is the one shown.
            [this] { return passage(std::max(1, std::min(CurrentMark, MarksList.Count()))); },
            [this] { return PageDocument; },
            [this] { return IsRecording() || Practice->Takes->recording(); }});
}

}  // namespace lectern::exercises
