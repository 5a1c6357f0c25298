#pragma once

#include "exercises/ResumePoint.h"
#include "platform/StringList.h"
#include "platform/browser/Variant.h"
#include "platform/widgets/SkinnedForm.h"
#include "platform/widgets/TTrackBar.h"

#include <QSplitter>
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

// The unit work window: a lesson page and its translation side by side,
// highlighted together while a sound plays, with units played in a cycle.
class TWorkTxtFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TWorkTxtFrm(platform::Platform& platform, QWidget* mainForm);
    ~TWorkTxtFrm() override;

    // Components.
    // The unit button, after the five: its resting picture, visible below
    // the others, which the unit steps swap with its lit picture; its lit
    // picture; its clickable image.
    static constexpr int UnitButtonIndex = 5;
    platform::TImage* c() const { return Buttons()[UnitButtonIndex].resting; }
    platform::TImage* ca() const { return Buttons().holder(UnitButtonIndex); }
    platform::TImage* caa() const { return Buttons().clickable(UnitButtonIndex); }
    platform::TMediaPlayer* MediaPlayer1;
    // The sound's pace, pause after each passage, the sync offset, the
    // page size, and V and B.
    std::unique_ptr<PracticeKeys> Practice;
    // Words looked up in either page hold the sound (a cycle too); `L`
    // lists the current passage's words of the lesson page.
    std::unique_ptr<LessonWords> Lookup;
    QWidget* Panel3;
    platform::TCppWebBrowser* CppWebBrowser1;
    QSplitter* Splitter1;
    platform::TCppWebBrowser* CppWebBrowser2;
    platform::TTrackBar* TrackBar1;
    QTimer* Timer1;

    // The help page of the lesson selected in the main window.
    std::function<QString()> LessonHelpPage;

    // Where the learner left off: the launcher names the lesson, the window
    // keeps each passage it makes current.
    ResumePoint Place;
    // Set by the launcher to open the lesson where it was left: once both
    // pages have loaded, that passage is current and the window is paused
    // there, so that Continue (Space) plays on from its start. 0 opens at
    // passage 1.
    int ResumeAt = 0;

    // The launcher's share: the common reset of every launch, then the
    // set-up of a unit work lesson or of the replay of the learner's last
    // recording, tempWavName, against the user marks,
    // each ending with the window shown modally. A replay without user
    // marks says "Sound file empty." and shows nothing.
    void ResetForLaunch();
    void RunUnitWork(const catalogue::LessonEntries& lesson);
    void RunRecordingReplay(const catalogue::LessonEntries& lesson, const QString& tempWavName);

    // Handlers.
    void CppWebBrowser1DocumentComplete();
    void CppWebBrowser2DocumentComplete();
    void Timer1Timer();
    void TrackBar1Change();
    void m11Click();
    void m22Click();
    void m33Click();
    void m44Click();
    void m55Click();
    void caaClick();
    void FormClose() override;

    // Passage i at rest: "text"/"comm" on the left, plain "text" on the right.
    void RestBoth(int i);
    // Passage k current in both pages, left first.
    void ShowBoth(int k);
    // Every passage of the unit becomes "cycle" in both pages.
    void MarkUnit();
    // Every passage of the unit at rest in both pages.
    void RestUnit();

    // Where the unit button stands: the next press begins a unit, ends it,
    // or plays it in a cycle.
    enum class UnitStep { BeginUnit, EndUnit, PlayCycle };

    // The pages as the window last took them from the browsers.
    platform::Variant LeftDocument;
    platform::Variant RightDocument;

    // The lesson's state, for reading.
    const platform::StringList& Marks() const { return MarksList; }
    int CurrentMarkNumber() const { return CurrentMark; }
    int PreviousMarkNumber() const { return PreviousMark; }
    int PlayClockMs() const { return PlayClock; }
    int LeftPagePreparedCount() const { return LeftPagePrepared; }
    int RightPagePreparedCount() const { return RightPagePrepared; }
    bool IsPaused() const { return Paused; }
    bool IsCycleMode() const { return CycleMode; }
    UnitStep NextUnitStep() const { return Step; }
    int UnitStartMark() const { return UnitStart; }
    int UnitEndMark() const { return UnitEnd; }

    // The tick's interval; a passage is passed twice this before its mark.
    static constexpr int TickInterval = 250;

  private:
    // The set-ups' shared steps: the window back at passage 1, the pages
    // sharing the middle, the flags of a fresh lesson.
    void rewind();
    void splitPages();
    void clearFlags();

    void tick();
    void cycleTick();
    // The current passage kept as the place, once the text has one.
    void keepPlace();
    void resumePlace();
    // The sound stopped at the end of the current passage, which stays
    // highlighted: the window stands at the next one (in a cycle, after the
    // unit's last, at its first), which Run starts.
    void holdPassage();
    // `R`: the highlighted passage again from its start (in a cycle, one of
    // the unit's), then on as before.
    void repeatPassage();
    // The sound from the start of the current passage; a held passage gives
    // way to it in both pages.
    void playPassage();
    void finishText();
    // Without marks nothing can follow the sound: says so and gives false.
    bool hasMarks();
    // The unit button's resting and lit pictures; neither changes unless
    // both load.
    void loadUnitPictures(const char* resting, const char* lit);
    void makeLookup(platform::WindowKeys& keys, const NarrationButtons& sound);

    platform::StringList MarksList;
    int CurrentMark = 1;
    int PreviousMark = 1;
    int PlayClock = 0;
    int LeftPagePrepared = 0;
    int RightPagePrepared = 0;
    bool Paused = false;
    bool CycleMode = false;
    UnitStep Step = UnitStep::BeginUnit;
    int UnitStart = 0;
    int UnitEnd = 0;
};

}  // namespace lectern::exercises
