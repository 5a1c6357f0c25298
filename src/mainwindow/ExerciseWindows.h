#pragma once

namespace lectern::exercises {
class TViewFrm;
class TViewTxtFrm;
class TWorkTxtFrm;
class TMultiFrm;
class TfrmSort;
}  // namespace lectern::exercises

namespace lectern::mainwindow {

// The windows the main window prepares and opens. They are its children, so
// they exist only after it: the composition root fills these in right after
// creating them, and keeps them for the whole run.
struct ExerciseWindows {
    exercises::TViewFrm* ViewFrm = nullptr;
    exercises::TViewTxtFrm* ViewTxtFrm = nullptr;
    exercises::TWorkTxtFrm* WorkTxtFrm = nullptr;
    exercises::TMultiFrm* MultiFrm = nullptr;
    exercises::TfrmSort* frmSort = nullptr;
};

}  // namespace lectern::mainwindow
