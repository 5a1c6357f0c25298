// The unit work window and the words of its pages: the sound, a cycle's
// too, waits while a word's popup is open; `L` offers the lesson page's
// current passage.
#include "catalogue/PageIds.h"
#include "exercises/LessonWords.h"
#include "exercises/NarrationButtons.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/units/TWorkTxtFrm.h"

#include <algorithm>

namespace lectern::exercises {

void TWorkTxtFrm::makeLookup(platform::WindowKeys& keys, const NarrationButtons& sound) {
    Lookup = std::make_unique<LessonWords>(
        *this, keys,
        LessonWords::Lesson{[sound] { return sound.hold(); }, [sound] { sound.release(); },
                            [this] {
                                const int k = std::max(1, std::min(CurrentMark, MarksList.Count()));
                                return FindElement(LeftDocument, catalogue::passageId(k));
                            },
                            [this] { return LeftDocument; },
                            [this] { return Practice->Takes->recording(); }});
}

}  // namespace lectern::exercises
