// "Run lesson": brings the exercise windows back to a starting state, then
// has the window that the selected node's lesson type names set itself up
// and show.
#include "mainwindow/TMainFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/LessonTypes.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"

#include <QScopeGuard>

namespace lectern::mainwindow {

QString TMainFrm::LessonHelpPage() const {
    return appFolder_ + catalogue::CoursePaths::LessonHelp + TypeList()[SelectedIndex()] +
           QStringLiteral(".htm");
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
    const catalogue::LessonType* type = catalogue::lessonTypeOf(TypeList()[node]);
    if (!type)
        return;
    const catalogue::LessonEntries lesson = catalogue_.lesson(node, appFolder_, soundRoot_);
    using Kind = catalogue::LessonKind;
    switch (type->kind) {
        case Kind::NarratedReading:
            return w.ViewTxtFrm->RunNarratedReading(lesson);
        case Kind::UnitWork:
            return w.WorkTxtFrm->RunUnitWork(lesson);
        case Kind::Recording:
            return w.ViewTxtFrm->RunRecording(lesson, tempWavName_, false);
        case Kind::RecordingReplay:
            return w.WorkTxtFrm->RunRecordingReplay(lesson, tempWavName_);
        case Kind::PlayAlongRecording:
            return w.ViewTxtFrm->RunRecording(lesson, tempWavName_, true);
        case Kind::ChoiceTest:
        case Kind::WrittenTest:
        case Kind::SavedWrittenTest:
            return w.MultiFrm->RunTest(lesson, type->kind);
        case Kind::TimedRecording:
            return w.ViewTxtFrm->RunTimedRecording(lesson, tempWavName_);
        case Kind::Sorting:
            return w.frmSort->RunSorting(lesson);
    }
}

void TMainFrm::ReloadCatalogue() {
    // Nothing here needs the geometry.
    const auto releaseLayout = qScopeGuard([this] { catalogue_.list(List::Layout).Clear(); });
    ReadCatalogue();
    BuildTree();
    PrepareTree();
}

}  // namespace lectern::mainwindow
