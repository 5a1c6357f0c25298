// The reading window's play mode: the page follows the first player's
// position passage by passage.
#include "exercises/reading/TViewTxtFrm.h"

#include "catalogue/Marks.h"
#include "catalogue/PageIds.h"
#include "exercises/markup/PageMarkup.h"
#include "platform/Convert.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/desktop/Shell.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/Announcer.h"

#include <algorithm>
#include <cmath>

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
}

void TViewTxtFrm::Timer1Timer() {
    if (TimedRecording)
        return;
    tick();
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
    if (catalogue::NearsMark(MarksList, k, PlayClock, 2 * TickInterval)) {
        ++CurrentMark;
        TrackBar1->setValue(TrackBar1->value() + 1);
        UserMarksList.Add(
            QString::number(RecordingClock + 2 * RecordingTickInterval + 2 * TickInterval));
    }
    const int n = MarksList.Count();
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
    MediaPlayer1->Seek(catalogue::PassageStartOf(MarksList, CurrentMark));
    TrackBar1->setEnabled(false);
    MediaPlayer1->Play();
    Timer1->start();
    Paused = false;
    m22()->SetHint(QStringLiteral("Pause"));
}

void TViewTxtFrm::m22Click() {
    if (TimedRecording)
        return;
    if (RecordingMode) {
        pauseRecording();
        return;
    }
    if (!Paused) {
        MediaPlayer1->Pause();
        TrackBar1->setEnabled(false);
        Timer1->stop();
        Paused = true;
    } else {
        TrackBar1->setEnabled(false);
        PlayClock = catalogue::PassageStartOf(MarksList, CurrentMark);
        MediaPlayer1->Seek(PlayClock);
        MediaPlayer1->Play();
        Timer1->start();
        Paused = false;
    }
    m22()->SetHint(QStringLiteral("Pause"));
    platform::announce(this, Paused ? QStringLiteral("Paused") : QStringLiteral("Continued"));
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
}

void TViewTxtFrm::m44Click() {
    if (LessonHelpPage)
        platform().shell.open(LessonHelpPage());
}

void TViewTxtFrm::m55Click() {
    Close();
}

void TViewTxtFrm::FormClose() {
    Timer1->stop();
    Timer2->stop();
    if (PlayAlong)
        MediaPlayer2->Stop();
    if (RecordingMode)
        closeRecording();
    else
        MediaPlayer1->Stop();
}

}  // namespace lectern::exercises
