// The reading window's recording lessons: the first player records the
// learner into the temporary recording while the page is highlighted on a
// clock of ticks; the moments at which passages were passed become the user
// marks that the unit work window replays the recording with.
#include "exercises/reading/TViewTxtFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/Marks.h"
#include "exercises/CountdownNotice.h"
#include "platform/Error.h"
#include "platform/desktop/Dialogs.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/TMediaPlayer.h"

#include <cmath>

namespace lectern::exercises {
namespace {
namespace Paths = catalogue::CoursePaths;
}  // namespace

void TViewTxtFrm::openBlankRecording() {
    platform().files.copyFile(AppFolder + Paths::BlankRecording, TempWavName);
    MediaPlayer1->SetFileName(TempWavName);
    MediaPlayer1->Open();
}

void TViewTxtFrm::record() {
    if (Paused)
        return;
    UserMarksList.Clear();
    RecordingClock = 0;
    if (RecordingFinished) {
        // A new recording never continues the last one.
        MediaPlayer1->Close();
        openBlankRecording();
        RecordingFinished = false;
    }
    MediaPlayer1->StartRecording();
    TrackBar1->setEnabled(false);
    Timer1->start();
    Timer2->start();
    if (PlayAlong)
        startPlayAlong();
}

void TViewTxtFrm::startPlayAlong() {
    PlayAlongFrom = catalogue::PassageStartOf(MarksList, CurrentMark);
    PlayAlongRecordedFrom = MediaPlayer1->Position();
    MediaPlayer2->Seek(PlayAlongFrom);
    MediaPlayer2->Play();
}

int TViewTxtFrm::playAlongClock() const {
    // The lesson sound's place, counted in the time recorded since it
    // started: real time at any pace and across changes of pace, where the
    // sound's own position would count each stretch at today's pace.
    return PlayAlongFrom + MediaPlayer1->Position() - PlayAlongRecordedFrom;
}

void TViewTxtFrm::Timer2Timer() {
    // With the lesson's sound playing along, the marks follow that sound,
    // and stand still while it is paused; otherwise they follow the
    // recording itself, whose position is the time recorded since Record.
    if (!PlayAlong)
        RecordingClock = MediaPlayer1->Position();
    else if (!Paused)
        RecordingClock = playAlongClock();
    if (!TimedRecording)
        return;
    // Counted in whole tenths: repeated subtraction of 0.1 drifts below the
    // exact value, and each second (and the limit) would show a tick late.
    TimeLeft = std::round((TimeLeft - 0.1) * 10) / 10;
    if (TimeLeft == std::trunc(TimeLeft))
        announceCountdown(this, static_cast<int>(TimeLeft));
    TrackBar1->setValue(static_cast<int>(std::trunc(TrackBar1->maximum() - TimeLeft)));
    if (TrackBar1->value() < TrackBar1->maximum())
        return;
    Timer2->stop();
    const QString failure = endRecording();
    UserMarksList.Add(QString::number(RecordingClock + 1500));
    offerRecording();
    RecordingFinished = true;
    report(failure);
}

void TViewTxtFrm::pauseRecording() {
    if (!Paused) {
        if (PlayAlong) {
            RecordingClock = playAlongClock();
            MediaPlayer2->Pause();
        }
        Timer1->stop();
        Paused = true;
        m22()->SetHint(QStringLiteral("Pause"));
    } else {
        if (PlayAlong)
            startPlayAlong();
        Timer1->start();
        Paused = false;
        m22()->SetHint(QStringLiteral("Continue"));
    }
}

void TViewTxtFrm::stopRecording() {
    // The recording clock runs exactly while a recording is being made; it
    // also runs while the highlight is paused, and a Stop then must end the
    // recording too, or the recorder would go on unseen until the window
    // closes and the marks would no longer match the sound.
    const bool pausedRecording = !Timer1->isActive() && Timer2->isActive();
    TrackBar1->setEnabled(false);
    Timer2->stop();
    QString failure;
    if (Timer1->isActive() || pausedRecording) {
        failure = endRecording();
        UserMarksList.Add(QString::number(RecordingClock + 1500));
        if (TimedRecording)
            offerRecording();
        RecordingFinished = true;
        if (PlayAlong)
            MediaPlayer2->Stop();
    }
    // Ready for a new recording, which the paused flag would refuse.
    if (pausedRecording)
        Paused = false;
    // A timed recording keeps Timer1 running, so that Record stays ignored:
    // it is made once per opening of the window.
    if (!TimedRecording)
        resetHighlight();
    report(failure);
}

QString TViewTxtFrm::endRecording() {
    try {
        MediaPlayer1->Stop();
        MediaPlayer1->Save();
        return {};
    } catch (const platform::Error& error) {
        return error.message();
    }
}

void TViewTxtFrm::report(const QString& failure) {
    if (!failure.isEmpty())
        throw platform::EMCIDeviceError(failure);
}

void TViewTxtFrm::offerRecording() {
    // The name is the learner's own choice, used exactly as the dialog gave
    // it. A copy that fails is reported and another name asked for: the
    // recording stays in the temporary file meanwhile.
    for (;;) {
        const QString name = platform().dialogs.askSaveFileName(SaveDialog1);
        if (name.isEmpty())
            return;
        try {
            platform().files.copyToChosenFile(TempWavName, name);
            return;
        } catch (const platform::Error& error) {
            platform().dialogs.showError(platform::withFullStop(error.message()));
        }
    }
}

void TViewTxtFrm::closeRecording() {
    const QString failure = endRecording();
    UserMarksList.SaveToFile(platform().files, AppFolder + Paths::UserMarks);
    report(failure);
}

}  // namespace lectern::exercises
