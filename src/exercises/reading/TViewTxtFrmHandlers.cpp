// The reading window's play mode: the page follows the first player's
// position passage by passage.
#include "exercises/reading/TViewTxtFrm.h"

#include "catalogue/Marks.h"
#include "catalogue/PageIds.h"
#include "exercises/LessonHelp.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PassagePause.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/practice/SyncOffset.h"
#include "platform/Convert.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/Announcer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lectern::exercises {

platform::Variant TViewTxtFrm::passage(int k) const {
    return FindElement(PageDocument, catalogue::passageId(k));
}

void TViewTxtFrm::CppWebBrowser1DocumentComplete() {
    PageDocument = CppWebBrowser1->Document();
    if (TimedRecording || PagePrepared)
        return;
    ShowPassage(PageDocument, 1);
    PagePrepared = true;
    resumePlace();
}

void TViewTxtFrm::resumePlace() {
    const int k = std::exchange(ResumeAt, 0);
    // A place beyond the marks the lesson has now opens at passage 1.
    if (k > 1 && k <= MarksList.Count())
        TrackBar1->setValue(k - 1);
}

void TViewTxtFrm::keepPlace() {
    if (CurrentMark <= MarksList.Count())
        Place.reached(CurrentMark);
}

void TViewTxtFrm::Timer1Timer() {
    if (TimedRecording)
        return;
    tick();
    keepPlace();
}

void TViewTxtFrm::tick() {
    const int k = CurrentMark;
    if (MarksList.Count() < k - 1)
        return;
    // A recording's page runs on ticks; with the lesson's sound playing
    // along, at that sound's pace.
    const int step =
        PlayAlong ? int(std::lround(TickInterval * MediaPlayer2->Speed())) : TickInterval;
    PlayClock = RecordingMode ? PlayClock + step : MediaPlayer1->Position();
    if (k > 1)
        MarkRest(passage(k - 1));
    ShowPassage(PageDocument, k);
    const int n = MarksList.Count();
    if (!RecordingMode && k < n && Practice->PauseAfter->stoppedAtEnd()) {
        holdPassage();
        return;
    }
    // While pausing after each passage the highlight waits for the sound's
    // stop; the offset moves the play mode's highlight only, never the user
    // marks of a recording.
    const bool pausing = !RecordingMode && Practice->PauseAfter->on();
    const int offset = RecordingMode ? 0 : Practice->Sync->ms();
    if (!pausing && catalogue::NearsMark(MarksList, k, PlayClock, 2 * TickInterval, offset)) {
        ++CurrentMark;
        TrackBar1->setValue(TrackBar1->value() + 1);
        UserMarksList.Add(
            QString::number(RecordingClock + 2 * RecordingTickInterval + 2 * TickInterval));
    }
    if (!RecordingMode && CurrentMark <= n && !MediaPlayer1->Playing()) {
        // The sound ended before the last mark (marks made for a longer
        // sound): the text ends with it.
        if (CurrentMark < n)
            MarkRest(passage(CurrentMark));
        CurrentMark = n + 1;
    }
    if (CurrentMark == n + 1)
        finishText();
}

void TViewTxtFrm::holdPassage() {
    const int k = CurrentMark;
    ++CurrentMark;
    // Timer1 still runs, so the move does not seek.
    TrackBar1->setValue(TrackBar1->value() + 1);
    Timer1->stop();
    Practice->PauseAfter->hold(
        k, catalogue::MarkOf(MarksList, k) - catalogue::PassageStartOf(MarksList, k));
}

void TViewTxtFrm::repeatPassage() {
    if (RecordingMode || !MediaPlayer1->IsOpen() || MarksList.Count() == 0)
        return;
    const int k =
        Practice->PauseAfter->holding() ? Practice->PauseAfter->heldPassage() : CurrentMark;
    if (k < 1 || k > MarksList.Count())
        return;
    // Timer1 runs before the track bar moves, so the move does not seek.
    Timer1->start();
    CurrentMark = k;
    TrackBar1->setValue(k - 1);
    TrackBar1->setEnabled(false);
    Paused = false;
    m22()->SetHint(QStringLiteral("Pause"));
    playPassage();
}

void TViewTxtFrm::playPassage() {
    MediaPlayer1->Seek(catalogue::PassageStartOf(MarksList, CurrentMark));
    Practice->lessonPlays();
    MediaPlayer1->Play();
}

void TViewTxtFrm::finishText() {
    const int n = MarksList.Count();
    TrackBar1->setEnabled(true);
    if (RecordingMode) {
        TrackBar1->setEnabled(false);
        Timer2->stop();
    }
    QString failure;
    if (RecordingMode) {
        failure = endRecording();
        RecordingFinished = true;
    } else {
        MediaPlayer1->Stop();
    }
    if (PlayAlong)
        MediaPlayer2->Stop();
    MarkRest(passage(n));
    ShowPassage(PageDocument, 1);
    CurrentMark = 1;
    PlayClock = 0;
    TrackBar1->setValue(0);
    Timer1->stop();
    FocusPassage(PageDocument, 1);
    platform::announce(this, QStringLiteral("End of the lesson"));
    report(failure);
}

void TViewTxtFrm::TrackBar1Change() {
    if (TimedRecording || Timer1->isActive())
        return;
    const int k = TrackBar1->value() + 1;
    CurrentMark = k;
    if (k > 1)
        MarkRest(passage(k - 1));
    if (k < MarksList.Count())
        MarkRest(passage(k + 1));
    MarkRest(passage(PreviousMark));
    PreviousMark = k;
    ShowPassage(PageDocument, k);
    keepPlace();
}

void TViewTxtFrm::m11Click() {
    if (Timer1->isActive())
        return;
    if (PageDocument.isEmptyOrNull())
        platform().dialogs.showMessage(QString::fromUtf8("Ошибка инициализации документа."));
    if (RecordingMode) {
        record();
        return;
    }
    TrackBar1->setEnabled(false);
    playPassage();
    Timer1->start();
    Paused = false;
    m22()->SetHint(QStringLiteral("Pause"));
}

void TViewTxtFrm::m22Click() {
    if (TimedRecording)
        return;
    if (RecordingMode)
        pauseRecording();
    else
        pausePlaying();
    // A screen reader reads on from the passage the highlight stopped at.
    if (Paused)
        FocusPassage(PageDocument, CurrentMark);
    platform::announce(this, Paused ? QStringLiteral("Paused") : QStringLiteral("Continued"));
}

void TViewTxtFrm::pausePlaying() {
    if (!Paused) {
        MediaPlayer1->Pause();
        TrackBar1->setEnabled(false);
        Timer1->stop();
        Paused = true;
    } else {
        TrackBar1->setEnabled(false);
        PlayClock = catalogue::PassageStartOf(MarksList, CurrentMark);
        playPassage();
        Timer1->start();
        Paused = false;
    }
    m22()->SetHint(QStringLiteral("Pause"));
}

void TViewTxtFrm::TellPassage() {
    const int n = MarksList.Count();
    platform::announce(
        this, n < 1 ? QStringLiteral("No passages")
                    : QStringLiteral("Passage %1 of %2").arg(std::clamp(CurrentMark, 1, n)).arg(n));
}

void TViewTxtFrm::m33Click() {
    if (RecordingMode) {
        stopRecording();
        return;
    }
    Practice->PauseAfter->cancel();
    TrackBar1->setEnabled(true);
    // A failing tick stops Timer1 and leaves the sound running: Stop
    // silences it all the same.
    if (Timer1->isActive() || (MediaPlayer1->IsOpen() && MediaPlayer1->Playing()))
        MediaPlayer1->Stop();
    resetHighlight();
}

void TViewTxtFrm::resetHighlight() {
    const int k = CurrentMark;
    if (k > 1) {
        MarkRest(passage(k - 1));
        MarkRest(passage(k));
    }
    ShowPassage(PageDocument, 1);
    CurrentMark = 1;
    PlayClock = 0;
    TrackBar1->setValue(0);
    Timer1->stop();
    keepPlace();
}

void TViewTxtFrm::m44Click() {
    openLessonHelp(platform(), LessonHelpPage);
}

void TViewTxtFrm::m55Click() {
    Close();
}

void TViewTxtFrm::FormClose() {
    Practice->Takes->stop();
    Timer1->stop();
    Practice->PauseAfter->cancel();
    Timer2->stop();
    if (PlayAlong)
        MediaPlayer2->Stop();
    if (RecordingMode)
        closeRecording();
    else
        MediaPlayer1->Stop();
}

}  // namespace lectern::exercises
