// "Run lesson": brings the exercise windows back to a starting state, then
// has the window that the selected node's lesson type names set itself up
// and show.
#include "main/TMainFrm.h"

#include "catalogue/LessonTypes.h"
#include "exercises/Multi/TMultiFrm.h"
#include "exercises/Sortfrm/TfrmSort.h"
#include "exercises/Viewtxt/TViewTxtFrm.h"
#include "exercises/Worktxt/TWorkTxtFrm.h"

namespace lectern::main {

QString TMainFrm::LessonHelpPage() const {
    return AppFolder + catalogue::CoursePaths::LessonHelp + TypeList[SelectedIndex()] +
           QStringLiteral(".htm");
}

catalogue::LessonEntries TMainFrm::entriesOf(int node) const {
    return catalogue::LessonEntries(
        {CaptionList, TextList, TransList, MarksList, SoundList, TimeList}, node, AppFolder,
        SoundRoot);
}

void TMainFrm::m22Click() {
    const ExerciseWindows& w = Windows();
    w.WorkTxtFrm->ResetForLaunch();
    w.ViewTxtFrm->ResetForLaunch();
    m2()->hide();
    w.MultiFrm->ResetForLaunch();

    const int node = SelectedIndex();
    if (node < 0)
        return;
    const catalogue::LessonType* type = catalogue::lessonTypeOf(TypeList[node]);
    if (!type)
        return;
    const catalogue::LessonEntries lesson = entriesOf(node);
    using Kind = catalogue::LessonKind;
    switch (type->kind) {
        case Kind::NarratedReading:
            return w.ViewTxtFrm->RunNarratedReading(lesson);
        case Kind::UnitWork:
            return w.WorkTxtFrm->RunUnitWork(lesson);
        case Kind::Recording:
            return w.ViewTxtFrm->RunRecording(lesson, TempWavName, false);
        case Kind::RecordingReplay:
            return w.WorkTxtFrm->RunRecordingReplay(lesson, TempWavName);
        case Kind::PlayAlongRecording:
            return w.ViewTxtFrm->RunRecording(lesson, TempWavName, true);
        case Kind::ChoiceTest:
        case Kind::WrittenTest:
        case Kind::SavedWrittenTest:
            return w.MultiFrm->RunTest(lesson, type->kind);
        case Kind::TimedRecording:
            return w.ViewTxtFrm->RunTimedRecording(lesson, TempWavName);
        case Kind::Sorting:
            return w.frmSort->RunSorting(lesson);
    }
}

void TMainFrm::ReloadCatalogue() {
    platform::StringList layout;
    ReadCatalogue(layout);
    BuildTree();
    PrepareTree();
}

}  // namespace lectern::main
