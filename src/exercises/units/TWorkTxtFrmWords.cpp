// The unit work window and the words of its pages: the sound, a cycle's
// too, waits while a word's popup is open; `L` offers the lesson page's
// current passage.
#include "catalogue/PageIds.h"
#include "exercises/LessonWords.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "platform/media/TMediaPlayer.h"

#include <algorithm>

namespace lectern::exercises {

void TWorkTxtFrm::makeLookup(platform::WindowKeys& keys) {
    Lookup = std::make_unique<LessonWords>(
        *this, keys,
        LessonWords::Lesson{[this] {
                                if (!Timer1->isActive())
                                    return false;
                                MediaPlayer1->Pause();
                                Timer1->stop();
                                return true;
                            },
                            [this] {
                                MediaPlayer1->Pause();  // a paused player goes on where it stood
                                Timer1->start();
                            },
                            [this] {
                                const int k = std::max(1, std::min(CurrentMark, MarksList.Count()));
                                return FindElement(LeftDocument, catalogue::passageId(k));
                            },
                            [this] { return LeftDocument; },
                            [this] { return Practice->Takes->recording(); }});
}

}  // namespace lectern::exercises
