// The unit work window's playing: both pages follow the player's position
// passage by passage; the pages are touched only when the passage changes.
#include "exercises/units/TWorkTxtFrm.h"

#include "catalogue/Marks.h"
#include "catalogue/PageIds.h"
#include "exercises/markup/PageMarkup.h"
#include "platform/Convert.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/Shell.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/Announcer.h"

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
    }
}

void TWorkTxtFrm::CppWebBrowser2DocumentComplete() {
    RightDocument = CppWebBrowser2->Document();
    if (RightPagePrepared == 0) {
        ShowPassage(RightDocument, 1);
        ++RightPagePrepared;
    }
}

void TWorkTxtFrm::Timer1Timer() {
    tick();
}

void TWorkTxtFrm::tick() {
    const int n = MarksList.Count();
    if (n < CurrentMark - 1)
        return;
    if (CycleMode) {
        cycleTick();
        return;
    }
    // The test uses the clock of the previous tick (or a handler's value):
    // the position is polled last.
    if (catalogue::NearsMark(MarksList, CurrentMark, PlayClock, 2 * TickInterval)) {
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
}

void TWorkTxtFrm::m11Click() {
    if (Timer1->isActive() || !hasMarks())
        return;
    TrackBar1->setEnabled(false);
    LeftDocument = CppWebBrowser1->Document();
    RightDocument = CppWebBrowser2->Document();
    MediaPlayer1->Seek(catalogue::PassageStartOf(MarksList, CurrentMark));
    MediaPlayer1->Play();
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
    } else {
        if (!hasMarks())
            return;
        const int k = CurrentMark;
        TrackBar1->setEnabled(false);
        PlayClock = k <= 2 ? 0 : catalogue::MarkOf(MarksList, k - 1);
        MediaPlayer1->Seek(catalogue::PassageStartOf(MarksList, k));
        MediaPlayer1->Play();
        Timer1->start();
        Paused = false;
    }
    m22()->SetHint(QStringLiteral("Pause"));
    platform::announce(this, Paused ? QStringLiteral("Paused") : QStringLiteral("Continued"));
}

void TWorkTxtFrm::m33Click() {
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
}

void TWorkTxtFrm::m44Click() {
    if (LessonHelpPage)
        platform().shell.open(LessonHelpPage());
}

void TWorkTxtFrm::m55Click() {
    Close();
}

void TWorkTxtFrm::FormClose() {
    Timer1->stop();
    MediaPlayer1->Stop();
}

}  // namespace lectern::exercises
