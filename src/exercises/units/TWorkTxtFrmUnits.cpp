// Units: the unit button selects a run of passages, which then plays over
// and over while both pages show it.
#include "exercises/units/TWorkTxtFrm.h"

#include "catalogue/Marks.h"
#include "catalogue/PageIds.h"
#include "exercises/markup/PageMarkup.h"
#include "exercises/practice/PassagePause.h"
#include "exercises/practice/PracticeKeys.h"
#include "exercises/practice/RecordAndCompare.h"
#include "exercises/practice/SyncOffset.h"
#include "platform/jpeg/TJPEGImage.h"
#include "platform/media/TMediaPlayer.h"

namespace lectern::exercises {

using catalogue::passageId;

void TWorkTxtFrm::MarkUnit() {
    for (int i = UnitStart; i <= UnitEnd; ++i) {
        SetClass(FindElement(LeftDocument, passageId(i)), QStringLiteral("cycle"));
        SetClass(FindElement(RightDocument, passageId(i)), QStringLiteral("cycle"));
    }
}

void TWorkTxtFrm::RestUnit() {
    for (int i = UnitStart; i <= UnitEnd; ++i)
        RestBoth(i);
}

void TWorkTxtFrm::loadUnitPictures(const char* resting, const char* lit) {
    platform::TJPEGImage restingPicture;
    platform::TJPEGImage litPicture;
    restingPicture.LoadFromFile(platform().files,
                                QStringLiteral("gdata\\") + QLatin1String(resting));
    litPicture.LoadFromFile(platform().files, QStringLiteral("gdata\\") + QLatin1String(lit));
    c()->SetPicture(restingPicture.Image());
    ca()->SetPicture(litPicture.Image());
}

void TWorkTxtFrm::caaClick() {
    if (Timer1->isActive())
        return;
    const int k = CurrentMark;
    switch (Step) {
        case UnitStep::BeginUnit:
            if (k < 2)
                return;
            loadUnitPictures("c2.jpg", "c1a.jpg");
            Step = UnitStep::EndUnit;
            UnitStart = k;
            caa()->SetHint(QStringLiteral("End unit"));
            SetClass(FindElement(LeftDocument, passageId(UnitStart)), QStringLiteral("cycle"));
            SetClass(FindElement(RightDocument, passageId(UnitStart)), QStringLiteral("cycle"));
            return;
        case UnitStep::EndUnit:
            if (k <= UnitStart)
                return;
            loadUnitPictures("c3.jpg", "c3a.jpg");
            Step = UnitStep::PlayCycle;
            UnitEnd = k;
            caa()->SetHint(QStringLiteral("Play cycle"));
            MarkUnit();
            return;
        case UnitStep::PlayCycle: {
            loadUnitPictures("c1.jpg", "c2a.jpg");
            CycleMode = true;
            // The cycle plays, so the learner's next press is a Pause.
            Paused = false;
            Step = UnitStep::BeginUnit;
            caa()->SetHint(QStringLiteral("Begin unit"));
            MarkUnit();
            // The passage before the unit is current for one tick, and its
            // advance test passes at once to the unit's first passage.
            const int j = UnitStart - 1;
            CurrentMark = j;
            TrackBar1->setEnabled(false);
            PlayClock = j <= 1 ? 0 : catalogue::MarkOf(MarksList, j);
            MediaPlayer1->Seek(PlayClock);
            Practice->lessonPlays();
            MediaPlayer1->Play();
            Timer1->start();
            return;
        }
    }
}

void TWorkTxtFrm::cycleTick() {
    const int k = CurrentMark;
    if (k > 1)
        RestBoth(k - 1);
    // The unit is marked anew around the current passage, which shows as
    // current inside it.
    ShowBoth(k);
    MarkUnit();
    ShowBoth(k);
    if (Practice->PauseAfter->stoppedAtEnd()) {
        holdPassage();
        return;
    }
    // The passage before the unit is passed at once, also while pausing.
    if ((!Practice->PauseAfter->on() || k < UnitStart) &&
        catalogue::NearsMark(MarksList, k, PlayClock, 2 * TickInterval, Practice->Sync->ms())) {
        ++CurrentMark;
        TrackBar1->setValue(TrackBar1->value() + 1);
    }
    // A sound that ends inside the unit starts the unit again as well.
    if (CurrentMark > UnitEnd || !MediaPlayer1->Playing()) {
        CurrentMark = UnitStart - 1;
        Timer1->stop();
        MediaPlayer1->Pause();
        MediaPlayer1->Seek(UnitStart <= 1 ? 0 : catalogue::MarkOf(MarksList, UnitStart - 1));
        Practice->PauseAfter->play();
        MediaPlayer1->Play();
        Timer1->start();
    }
    PlayClock = MediaPlayer1->Position();
}

}  // namespace lectern::exercises
