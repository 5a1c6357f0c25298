#include "exercises/practice/PracticeKeys.h"

#include "catalogue/Marks.h"
#include "exercises/NarrationSpeed.h"
#include "exercises/practice/PassagePause.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/practice/SyncOffset.h"
#include "exercises/practice/TextZoom.h"
#include "platform/widgets/NoticeOverlay.h"

#include <algorithm>

namespace lectern::exercises {

PracticeKeys::PracticeKeys(platform::TForm& form, platform::WindowKeys& keys,
                           std::vector<platform::TMediaPlayer*> players,
                           std::vector<platform::TCppWebBrowser*> pages, QWidget* band,
                           Lesson lesson) {
    platform::TMediaPlayer& sound = *players.front();
    Speed = std::make_unique<NarrationSpeed>(form, keys, std::move(players));
    platform::NoticeOverlay& notices = *Speed->overlay();
    notices.placeOver(band);
    const platform::StringList* marks = &lesson.marks;
    const int* current = &lesson.current;
    // Held after a passage, the lesson's mark has moved on to the next one,
    // but V and B are about the held passage.
    auto passage = [this, marks, current] {
        return PauseAfter && PauseAfter->holding() ? PauseAfter->heldPassage()
                                                   : std::clamp(*current, 1, marks->Count());
    };
    Takes = std::make_unique<RecordAndCompare>(
        form, keys, sound, notices,
        RecordAndCompare::Lesson{[marks, recordsItself = lesson.recordsItself] {
                                     return marks->Count() > 0 &&
                                            !(recordsItself && recordsItself());
                                 },
                                 std::move(passage),
                                 [marks](int k) {
                                     return std::pair(catalogue::PassageStartOf(*marks, k),
                                                      catalogue::MarkOf(*marks, k));
                                 },
                                 lesson.pause, lesson.highlight});
    PauseAfter = std::make_unique<PassagePause>(
        form, keys, notices, sound, std::move(lesson.passageEnd), std::move(lesson.goOn));
    Sync = std::make_unique<SyncOffset>(keys, notices);
    Zoom = std::make_unique<TextZoom>(keys, notices, std::move(pages));
}

PracticeKeys::~PracticeKeys() = default;

void PracticeKeys::load(const QString& courseFolder) {
    Speed->load(courseFolder);
    PauseAfter->load(courseFolder);
    Sync->load(courseFolder);
    Zoom->load(courseFolder);
}

void PracticeKeys::lessonPlays() {
    Takes->stop();
    PauseAfter->play();
}

}  // namespace lectern::exercises
