#pragma once

#include "main/ExerciseWindows.h"
#include "main/LessonTreeModel.h"
#include "platform/StringList.h"
#include "platform/widgets/SkinnedForm.h"

#include <QSplitter>
#include <QTreeView>

namespace lectern::platform {
class TCppWebBrowser;
}

namespace lectern::main {

class SplashAndSkin;

// The main window: the lesson tree on the left, the selected lesson's
// description on the right, five picture buttons on the top bar. It owns the
// course catalogue for the whole run.
class TMainFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TMainFrm(platform::Platform& platform, const ExerciseWindows& windows,
             SplashAndSkin& splashAndSkin);

    // Components.
    platform::TImage *m1, *m2, *m3, *m4, *m5;
    platform::TImage *m11, *m22, *m33, *m44, *m55;
    QTreeView* TreeView1;
    LessonTreeModel* TreeModel;
    QSplitter* Splitter1;
    platform::TCppWebBrowser* CppWebBrowser1;

    // Application-wide values.
    QString AppFolder;
    QString SoundRoot;
    QString TempWavName;

    // The catalogue: per-node lists, line i for the node of absolute index i.
    platform::StringList TypeList;
    platform::StringList SoundList;
    platform::StringList NameList;
    platform::StringList DescrList;
    platform::StringList CaptionList;
    platform::StringList TextList;
    platform::StringList TransList;
    platform::StringList MarksList;
    platform::StringList TimeList;
    platform::StringList WindowSettings;

    // Handlers.
    void FormShow() override;
    void TreeView1Click();
    void TreeView1MouseUp();
    void m1Click();
    void m3Click();
    void m4Click();
    void m5Click();
    void m22Click();
    // Hover: the button under the mouse lights, the others go out; the top
    // bar's background puts all out; the tree takes the keyboard focus.
    void m11MouseMove();
    void m22MouseMove();
    void m33MouseMove();
    void m44MouseMove();
    void m55MouseMove();
    void Image3MouseMove();
    void TreeView1MouseMove();

    // The absolute index of the tree's selected node, or -1 with no selection.
    int SelectedIndex() const;
    // The help page of the selected node's lesson type.
    QString LessonHelpPage() const;

    // The lesson launcher's set-up of each lesson type, after the common reset.
    void RunNarratedReading(int node);
    // The reading window's steps that the narrated and the recording lessons
    // share, in the order they take: the page and its marks with the window
    // back at passage 1; then the flags of a fresh lesson.
    void LoadReadingLesson(int node);
    void RewindReadingWindow();
    void ClearReadingFlags();
    // Text and translation with the lesson sound (type "2"), and with the
    // learner's last recording against the user marks (type "4").
    void RunUnitWork(int node);
    void RunRecordingReplay(int node);
    // Types "3" and "11" (with the lesson's sound playing along), and "8".
    void RunRecording(int node, bool playAlong);
    void RunTimedRecording(int node);
    // The recording lessons' common steps: a fresh blank recording in the
    // temporary file, the window told where it lives, the recording hints.
    void PrepareRecordingFile();
    // Types "5", "6" and "7", and "9".
    void RunTest(int node);
    void RunSorting(int node);

    // Start-up steps, in the order FormShow runs them.
    void ComputeTempWavName();
    void ReadCatalogue(platform::StringList& layout);
    void SizeWindows(const platform::StringList& layout);
    void BuildTree();
    void SkinWindows(const platform::StringList& layout);
    void PrepareSplash();
    void PlaceButtons(const platform::StringList& layout);
    void PrepareTree();
    void PrepareIntroduction();

    const ExerciseWindows& Windows() const { return windows_; }

  private:
    // Introduction and About: load the page viewer and show it if switched on.
    void openPageViewer(int pageLine, int captionLine, int switchLine);
    QString descriptionPath(const QString& entry) const;

    const ExerciseWindows& windows_;
    SplashAndSkin& splashAndSkin_;
};

}  // namespace lectern::main
