#pragma once

#include "catalogue/Catalogue.h"
#include "mainwindow/ExerciseWindows.h"
#include "mainwindow/LessonTreeModel.h"
#include "platform/widgets/SkinnedForm.h"

#include <QSplitter>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace lectern::platform {
class NoticeOverlay;
class TCppWebBrowser;
}  // namespace lectern::platform

namespace lectern::exercises {
class TextZoom;
}

namespace lectern::mainwindow {

class SplashAndSkin;

// The main window: the lesson tree on the left, the selected lesson's
// description on the right, five picture buttons on the top bar. It owns the
// course catalogue for the whole run.
class TMainFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TMainFrm(platform::Platform& platform, const ExerciseWindows& windows,
             SplashAndSkin& splashAndSkin);
    ~TMainFrm() override;

    // Components.
    QTreeView* TreeView1;
    LessonTreeModel* TreeModel;
    QSplitter* Splitter1;
    platform::TCppWebBrowser* CppWebBrowser1;
    // Runs once the keys that move in the tree have settled.
    QTimer* DescriptionTimer;
    platform::NoticeOverlay* Notices;
    // The description's size, the course's one for all its pages.
    std::unique_ptr<exercises::TextZoom> Zoom;

    // Handlers.
    void FormShow() override;
    void TreeView1Click();
    void TreeView1MouseUp();
    void m1Click();
    void m3Click();
    void m4Click();
    void m5Click();
    void m22Click();
    // Ctrl+Return: the course's last lesson run selected and run again, a
    // narrated reading or a unit work lesson at the passage last reached.
    void RunLastLesson();
    // The mouse over the tree gives it the keyboard focus.
    void TreeView1MouseMove();
    // A key moved in the tree: the description follows once the keys settle
    // (DescriptionTimer), so that Return runs the lesson the learner sees.
    void TreeView1KeyDown();
    void DescriptionTimerTimer();
    void TreeView1Return();
    // A row selected without becoming the current one, as a screen reader
    // selects it, becomes current and is told as a key's move tells it.
    void TreeView1SelectionChange();
    // The description has loaded: it becomes the node's description for
    // screen readers, and after a key moved in the tree it is announced
    // with the node's caption.
    void CppWebBrowser1DocumentComplete();

    // The absolute index of the tree's selected node, or -1 with no selection.
    int SelectedIndex() const;
    // The help page of the selected node's lesson type.
    QString LessonHelpPage() const;

    // The catalogue read and the tree built and prepared again, as start-up
    // does, leaving the other windows alone.
    void ReloadCatalogue();

    const ExerciseWindows& Windows() const { return windows_; }

    // What start-up found: the application folder (no trailing backslash),
    // the sound root (that folder with one), and the temporary recording
    // every recording lesson uses, empty when all its names are taken.
    const QString& AppFolder() const { return appFolder_; }
    const QString& SoundRoot() const { return soundRoot_; }
    const QString& TempWavName() const { return tempWavName_; }
    void SetTempWavName(const QString& name) { tempWavName_ = name; }

    // The catalogue, held for the whole run and filled in place by each load.
    const catalogue::Catalogue& catalogue() const { return catalogue_; }
    catalogue::Catalogue& catalogue() { return catalogue_; }
    // Its lists under their own names.
    using List = catalogue::Catalogue::List;
    const platform::StringList& TypeList() const { return catalogue_.list(List::Types); }
    const platform::StringList& SoundList() const { return catalogue_.list(List::Sounds); }
    const platform::StringList& NameList() const { return catalogue_.list(List::Names); }
    const platform::StringList& DescrList() const { return catalogue_.list(List::Descriptions); }
    const platform::StringList& CaptionList() const { return catalogue_.list(List::Captions); }
    const platform::StringList& TextList() const { return catalogue_.list(List::Texts); }
    const platform::StringList& TransList() const { return catalogue_.list(List::Translations); }
    const platform::StringList& MarksList() const { return catalogue_.list(List::Marks); }
    const platform::StringList& TimeList() const { return catalogue_.list(List::Times); }
    const platform::StringList& WindowSettings() const {
        return catalogue_.list(List::WindowSettings);
    }

  private:
    // What the tree's area and the tree make of their mouse events and keys
    // before the tree sees them: true when the tree must not see the event.
    // Return runs the selected node, as a double click does, and a held key
    // runs it once; every other key is reported before the tree acts on it.
    bool treeMouse(QEvent* event);
    bool treeKey(QEvent* event);

    // "Run lesson" on the selected node; a lesson that keeps its place opens
    // at passage `resumeAt` when it is 1 or more.
    void launch(int resumeAt);

    // Start-up steps, in the order FormShow runs them.
    void ComputeTempWavName();
    void ReadCatalogue();
    void SizeWindows(const platform::StringList& layout);
    void BuildTree();
    void SkinWindows(const platform::StringList& layout);
    void PrepareSplash();
    void PlaceButtons(const platform::StringList& layout);
    void PrepareTree();
    void PrepareIntroduction();

    // Introduction and About: load the page viewer and show it if switched on.
    void openPageViewer(int pageLine, int captionLine, int switchLine);
    QString descriptionPath(const QString& entry) const;
    // Shows the node's description and remembers which node that is.
    void showDescription(int node);

    const ExerciseWindows& windows_;
    SplashAndSkin& splashAndSkin_;
    int describedNode_ = -1;
    bool tellDescription_ = false;
    QString appFolder_;
    QString soundRoot_;
    QString tempWavName_;
    catalogue::Catalogue catalogue_;
};

}  // namespace lectern::mainwindow
