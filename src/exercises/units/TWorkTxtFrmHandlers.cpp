// The unit work window's playing: both pages follow the player's position
// passage by passage; the pages are touched only when the passage changes.
#include "exercises/units/TWorkTxtFrm.h"

#include "catalogue/Marks.h"
#include "catalogue/PageIds.h"
#include "exercises/LessonHelp.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PassagePause.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/practice/SyncOffset.h"
#include "platform/Convert.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/desktop/Dialogs.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/Announcer.h"

#include <algorithm>
#include <utility>

namespace lectern::exercises {

using catalogue::clickTargetId;
using catalogue::passageId;

bool TWorkTxtFrm::hasMarks() {
    if (MarksList.Count() > 0)
        return true;
    platform().dialogs.showMessage(
        QStringLiteral("This lesson has no marks: the sound cannot be followed."));
    return false;
}

void TWorkTxtFrm::RestBoth(int i) {
    MarkRest(FindElement(LeftDocument, passageId(i)));
    SetClass(FindElement(RightDocument, passageId(i)), QStringLiteral("text"));
}

void TWorkTxtFrm::ShowBoth(int k) {
    ShowPassage(LeftDocument, k);
    ShowPassage(RightDocument, k);
}

void TWorkTxtFrm::CppWebBrowser1DocumentComplete() {
    LeftDocument = CppWebBrowser1->Document();
    if (LeftPagePrepared == 0) {
        ShowPassage(LeftDocument, 1);
        ++LeftPagePrepared;
        resumePlace();
    }
}

void TWorkTxtFrm::CppWebBrowser2DocumentComplete() {
    RightDocument = CppWebBrowser2->Document();
    if (RightPagePrepared == 0) {
        ShowPassage(RightDocument, 1);
        ++RightPagePrepared;
        resumePlace();
    }
}

void TWorkTxtFrm::resumePlace() {
    if (LeftPagePrepared == 0 || RightPagePrepared == 0)
        return;
    const int k = std::exchange(ResumeAt, 0);
    // A place beyond the marks the lesson has now opens at passage 1.
    if (k < 1 || k > MarksList.Count())
        return;
    TrackBar1->setValue(k - 1);
    Paused = true;
}

void TWorkTxtFrm::keepPlace() {
    if (CurrentMark <= MarksList.Count())
        Place.reached(CurrentMark);
}

void TWorkTxtFrm::Timer1Timer() {
    tick();
    keepPlace();
}

void TWorkTxtFrm::tick() {
    const int n = MarksList.Count();
    if (n < CurrentMark - 1)
        return;
    if (CycleMode) {
        cycleTick();
        return;
    }
    if (CurrentMark < n && Practice->PauseAfter->stoppedAtEnd()) {
        holdPassage();
        return;
    }
    // The test uses the clock of the previous tick (or a handler's value):
    // the position is polled last. While pausing after each passage the
    // highlight waits for the sound's stop.
    if (!Practice->PauseAfter->on() &&
        catalogue::NearsMark(MarksList, CurrentMark, PlayClock, 2 * TickInterval,
                             Practice->Sync->ms())) {
        ++CurrentMark;
        TrackBar1->setValue(TrackBar1->value() + 1);
        if (CurrentMark <= n) {
            RestBoth(CurrentMark - 1);
            ShowBoth(CurrentMark);
        }
    }
    if (CurrentMark <= n && !MediaPlayer1->Playing()) {
        // The sound ended before the last mark (marks made for a longer
        // sound): the text ends with it.
        if (CurrentMark < n)
            RestBoth(CurrentMark);
        CurrentMark = n + 1;
    }
    if (CurrentMark == n + 1) {
        finishText();
        return;
    }
    PlayClock = MediaPlayer1->Position();
}

void TWorkTxtFrm::holdPassage() {
    const int k = CurrentMark;
    CurrentMark = CycleMode && k >= UnitEnd ? UnitStart : k + 1;
    // Timer1 still runs, so the move does not seek.
    TrackBar1->setValue(CurrentMark - 1);
    Timer1->stop();
    Practice->PauseAfter->hold(
        k, catalogue::MarkOf(MarksList, k) - catalogue::PassageStartOf(MarksList, k));
}

void TWorkTxtFrm::repeatPassage() {
    if (!MediaPlayer1->IsOpen() || MarksList.Count() == 0)
        return;
    int k = Practice->PauseAfter->holding() ? Practice->PauseAfter->heldPassage() : CurrentMark;
    if (CycleMode)
        k = std::clamp(k, UnitStart, UnitEnd);
    if (k < 1 || k > MarksList.Count())
        return;
    // Timer1 runs before the track bar moves, so the move does not seek.
    Timer1->start();
    if (Practice->PauseAfter->holding()) {
        RestBoth(Practice->PauseAfter->heldPassage());
        ShowBoth(k);
    } else if (k != CurrentMark) {
        RestBoth(CurrentMark);
        ShowBoth(k);
    }
    CurrentMark = k;
    TrackBar1->setValue(k - 1);
    TrackBar1->setEnabled(false);
    PlayClock = catalogue::PassageStartOf(MarksList, k);
    Paused = false;
    MediaPlayer1->Seek(PlayClock);
    Practice->lessonPlays();
    MediaPlayer1->Play();
}

void TWorkTxtFrm::playPassage() {
    if (Practice->PauseAfter->holding()) {
        RestBoth(Practice->PauseAfter->heldPassage());
        ShowBoth(CurrentMark);
    }
    MediaPlayer1->Seek(catalogue::PassageStartOf(MarksList, CurrentMark));
    Practice->lessonPlays();
    MediaPlayer1->Play();
}

void TWorkTxtFrm::finishText() {
    TrackBar1->setEnabled(true);
    MediaPlayer1->Stop();
    RestBoth(MarksList.Count());
    ShowBoth(1);
    CycleMode = false;
    CurrentMark = 1;
    PlayClock = 0;
    // Timer1 still runs, so the move back does not seek.
    TrackBar1->setValue(0);
    Timer1->stop();
    FocusPassage(LeftDocument, 1);
    platform::announce(this, QStringLiteral("End of the lesson"));
}

void TWorkTxtFrm::TrackBar1Change() {
    // The documents are renewed first: the tick's own moves come here too.
    LeftDocument = CppWebBrowser1->Document();
    RightDocument = CppWebBrowser2->Document();
    if (Timer1->isActive())
        return;
    const int k = TrackBar1->value() + 1;
    CurrentMark = k;
    PlayClock = catalogue::MarkOf(MarksList, k);
    if (k > 1)
        RestBoth(k - 1);
    if (k < MarksList.Count())
        RestBoth(k + 1);
    RestBoth(PreviousMark);
    PreviousMark = k;
    if (CycleMode)
        MarkUnit();
    ShowPassage(LeftDocument, k);
    FindElement(RightDocument, clickTargetId(k)).call(QStringLiteral("Click"));
    SetClass(FindElement(RightDocument, passageId(k)), QStringLiteral("instext"));
    keepPlace();
}

void TWorkTxtFrm::m11Click() {
    if (Timer1->isActive() || !hasMarks())
        return;
    TrackBar1->setEnabled(false);
    LeftDocument = CppWebBrowser1->Document();
    RightDocument = CppWebBrowser2->Document();
    playPassage();
    Timer1->start();
    Paused = false;
    m22()->SetHint(QStringLiteral("Pause"));
}

void TWorkTxtFrm::m22Click() {
    if (!Paused) {
        MediaPlayer1->Pause();
        // A paused learner may pick another passage.
        TrackBar1->setEnabled(true);
        Timer1->stop();
        Paused = true;
        FocusPassage(LeftDocument, CurrentMark);
    } else {
        if (!hasMarks())
            return;
        const int k = CurrentMark;
        TrackBar1->setEnabled(false);
        PlayClock = k <= 2 ? 0 : catalogue::MarkOf(MarksList, k - 1);
        playPassage();
        Timer1->start();
        Paused = false;
    }
    m22()->SetHint(QStringLiteral("Pause"));
    platform::announce(this, Paused ? QStringLiteral("Paused") : QStringLiteral("Continued"));
}

void TWorkTxtFrm::m33Click() {
    Practice->PauseAfter->cancel();
    TrackBar1->setEnabled(true);
    // A failing tick stops Timer1 and leaves the sound running: Stop
    // silences it all the same. A paused player stays paused.
    if (Timer1->isActive() || (MediaPlayer1->IsOpen() && MediaPlayer1->Playing()))
        MediaPlayer1->Stop();
    const int k = CurrentMark;
    if (k > 1) {
        RestBoth(k - 1);
        RestBoth(k);
    }
    ShowBoth(1);
    if (CycleMode)
        RestUnit();
    CycleMode = false;
    CurrentMark = 1;
    PlayClock = 0;
    TrackBar1->setValue(0);
    Timer1->stop();
    keepPlace();
}

void TWorkTxtFrm::m44Click() {
    openLessonHelp(platform(), LessonHelpPage);
}

void TWorkTxtFrm::m55Click() {
    Close();
}

void TWorkTxtFrm::FormClose() {
    Practice->Takes->stop();
    Timer1->stop();
    Practice->PauseAfter->cancel();
    MediaPlayer1->Stop();
}

}  // namespace lectern::exercises
