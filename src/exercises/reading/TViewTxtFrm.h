#pragma once

#include "exercises/ResumePoint.h"
#include "platform/StringList.h"
#include "platform/browser/Variant.h"
#include "platform/desktop/Dialogs.h"
#include "platform/widgets/SkinnedForm.h"
#include "platform/widgets/TTrackBar.h"

#include <QLabel>
#include <QTimer>
#include <functional>
#include <memory>

namespace lectern::catalogue {
class LessonEntries;
}
namespace lectern::platform {
class TCppWebBrowser;
class TMediaPlayer;
class WindowKeys;
}  // namespace lectern::platform

namespace lectern::exercises {

class LessonWords;
struct NarrationButtons;
class PracticeKeys;

// The narrated reading window: one lesson page highlighted passage by
// passage in step with a sound; it also runs the recording lessons.
class TViewTxtFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TViewTxtFrm(platform::Platform& platform, QWidget* mainForm);
    ~TViewTxtFrm() override;

    // Components.
    QLabel* Label1;
    platform::TMediaPlayer* MediaPlayer1;
    // The sound's pace, pause after each passage, the sync offset, the
    // page size, and V and B.
    std::unique_ptr<PracticeKeys> Practice;
    // Words looked up in the page hold the narration; `L` lists a passage's.
    std::unique_ptr<LessonWords> Lookup;
    platform::TMediaPlayer* MediaPlayer2;
    platform::TTrackBar* TrackBar1;
    platform::TCppWebBrowser* CppWebBrowser1;
    QTimer* Timer1;
    QTimer* Timer2;
    platform::SaveDialogOptions SaveDialog1{"wav", "WAV FILE|*.wav"};

    // The help page of the lesson selected in the main window.
    std::function<QString()> LessonHelpPage;
    // A recording lesson is recording: no word is looked up meanwhile.
    bool IsRecording() const;

    // Where the learner left off in the narrated reading: the launcher names
    // the lesson, the window keeps each passage it makes current.
    ResumePoint Place;
    // Set by the launcher to open the lesson where it was left: once the
    // page has loaded, that passage is current, as if picked with the track
    // bar, and Play or Space plays on from its start. 0 opens at passage 1.
    int ResumeAt = 0;

    // The launcher's share: the common reset of every launch, then the
    // set-up of a narrated reading, a recording along the marks (with or
    // without the lesson's sound playing along) or a timed recording, each
    // ending with the window shown modally. A recording records into
    // tempWavName, a fresh copy of the blank recording.
    void ResetForLaunch();
    void RunNarratedReading(const catalogue::LessonEntries& lesson);
    void RunRecording(const catalogue::LessonEntries& lesson, const QString& tempWavName,
                      bool playAlong);
    void RunTimedRecording(const catalogue::LessonEntries& lesson, const QString& tempWavName);

    // Handlers.
    void CppWebBrowser1DocumentComplete();
    void Timer1Timer();
    void Timer2Timer();
    void TrackBar1Change();
    void m11Click();
    void m22Click();
    void m33Click();
    void m44Click();
    void m55Click();
    // F2: tells a screen reader which passage is current, "Passage 3 of 12".
    void TellPassage();
    void FormClose() override;

    // The lesson page as the window last took it from the browser.
    platform::Variant PageDocument;

    // The lesson's state, for reading.
    const platform::StringList& Marks() const { return MarksList; }
    const platform::StringList& UserMarks() const { return UserMarksList; }
    int CurrentMarkNumber() const { return CurrentMark; }
    int PreviousMarkNumber() const { return PreviousMark; }
    int PlayClockMs() const { return PlayClock; }
    bool IsPagePrepared() const { return PagePrepared; }
    bool IsPaused() const { return Paused; }
    bool IsRecordingMode() const { return RecordingMode; }
    bool IsPlayAlong() const { return PlayAlong; }
    bool IsTimedRecording() const { return TimedRecording; }
    bool IsRecordingFinished() const { return RecordingFinished; }
    double SecondsLeft() const { return TimeLeft; }

    // The tick's interval, and the lead by which a passage is passed before
    // its mark: twice the interval.
    static constexpr int TickInterval = 250;
    static constexpr int RecordingTickInterval = 100;

  private:
    // The set-ups' shared steps: the lesson page and its marks with the
    // window back at passage 1; a fresh blank recording in the temporary
    // file with the recording hints; the flags of a fresh lesson.
    void loadPageAndMarks(const catalogue::LessonEntries& lesson);
    void rewind();
    void prepareRecordingFile(const catalogue::LessonEntries& lesson, const QString& tempWavName);
    void clearFlags();

    void tick();
    // The sound stopped at the end of the current passage, which stays
    // highlighted: the window stands at the next one, which Play starts.
    void holdPassage();
    // `R`: the highlighted passage again from its start, then on as before.
    void repeatPassage();
    // The sound from the start of the current passage.
    void playPassage();
    void finishText();
    // Pause and Continue of the play mode; m22Click does what both modes share.
    void pausePlaying();
    // The current passage kept as the place, once the text has one.
    void keepPlace();
    void resumePlace();
    // Passage 1 highlighted again, the clock and the track bar at the start.
    void resetHighlight();

    // The recording lessons' branches of the handlers.
    void record();
    // Starts the sound playing along at the current passage.
    void startPlayAlong();
    // The recording clock while the sound plays along.
    int playAlongClock() const;
    // The recorder runs on; only the highlight and the sound playing along pause.
    void pauseRecording();
    void stopRecording();
    // Stops the recorder and keeps the recording in the temporary file.
    // When it could not all be written, the file keeps what was and the
    // reason is returned, for the caller to report once its steps are done.
    QString endRecording();
    static void report(const QString& failure);
    void closeRecording();
    // The blank recording copied over the temporary file, which the first
    // player then holds.
    void openBlankRecording();
    // Timed recording: the learner may keep a copy under a name of their own.
    void offerRecording();

    platform::Variant passage(int k) const;
    void makeLookup(platform::WindowKeys& keys, const NarrationButtons& sound);

    // The course folder and the run's temporary recording file, given by the
    // launcher to a recording lesson.
    QString AppFolder;
    QString TempWavName;

    platform::StringList MarksList;
    platform::StringList UserMarksList;
    int CurrentMark = 1;
    int PreviousMark = 1;
    int PlayClock = 0;
    int RecordingClock = 0;
    // Where the sound playing along last started, and how much had been
    // recorded by then.
    int PlayAlongFrom = 0;
    int PlayAlongRecordedFrom = 0;
    bool PagePrepared = false;
    bool Paused = false;
    bool RecordingMode = false;
    bool PlayAlong = false;
    bool RecordingFinished = false;
    bool TimedRecording = false;
    double TimeLeft = 0;
};

}  // namespace lectern::exercises
