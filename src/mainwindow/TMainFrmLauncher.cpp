// "Run lesson": brings the exercise windows back to a starting state, then
// has the window that the selected node's lesson type names set itself up
// and show.
#include "mainwindow/TMainFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/LessonTypes.h"
#include "exercises/ResumePoint.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "platform/files/CourseFiles.h"

#include <QScopeGuard>

namespace lectern::mainwindow {

QString TMainFrm::LessonHelpPage() const {
    return appFolder_ + catalogue::CoursePaths::LessonHelp + TypeList()[SelectedIndex()] +
           QStringLiteral(".htm");
}

namespace {

// The window keeps the lesson's place from now on, and opens at resumeAt.
template <class Window>
void keepPlace(Window& window, const QString& appFolder, int node, int resumeAt) {
    window.Place.follow(appFolder, node);
    window.ResumeAt = resumeAt;
}

}  // namespace

void TMainFrm::m22Click() {
    launch(0);
}

void TMainFrm::RunLastLesson() {
    const int node = exercises::ResumePoint::lastLesson(appFolder_);
    const QModelIndex index = TreeModel->indexOfNode(node);
    if (!index.isValid())
        return;
    // The lesson shows in the tree and its description beside it, as if the
    // learner had picked it.
    DescriptionTimer->stop();
    TreeView1->setCurrentIndex(index);
    TreeView1->scrollTo(index);
    platform().files.setCurrentFolder(appFolder_);
    showDescription(node);
    launch(exercises::ResumePoint::passageOf(appFolder_, node));
}

void TMainFrm::launch(int resumeAt) {
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
    exercises::ResumePoint::lessonRun(appFolder_, node);
    using Kind = catalogue::LessonKind;
    switch (type->kind) {
        case Kind::NarratedReading:
            keepPlace(*w.ViewTxtFrm, appFolder_, node, resumeAt);
            return w.ViewTxtFrm->RunNarratedReading(lesson);
        case Kind::UnitWork:
            keepPlace(*w.WorkTxtFrm, appFolder_, node, resumeAt);
            return w.WorkTxtFrm->RunUnitWork(lesson);
        case Kind::Recording:
            return w.ViewTxtFrm->RunRecording(lesson, tempWavName_, false);
        case Kind::RecordingReplay:
            keepPlace(*w.WorkTxtFrm, appFolder_, node, resumeAt);
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
