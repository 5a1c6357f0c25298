#pragma once

#include "catalogue/CatalogueFiles.h"
#include "catalogue/LessonEntries.h"
#include "main/ExerciseWindows.h"
#include "main/LessonTreeModel.h"
#include "platform/StringList.h"
#include "platform/widgets/SkinnedForm.h"

#include <QSplitter>
#include <QTimer>
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
    QTreeView* TreeView1;
    LessonTreeModel* TreeModel;
    QSplitter* Splitter1;
    platform::TCppWebBrowser* CppWebBrowser1;
    // Runs once the keys that move in the tree have settled.
    QTimer* DescriptionTimer;

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
    // The mouse over the tree gives it the keyboard focus.
    void TreeView1MouseMove();
    // A key moved in the tree: the description follows once the keys settle
    // (DescriptionTimer), so that Return runs the lesson the learner sees.
    void TreeView1KeyDown();
    void DescriptionTimerTimer();
    void TreeView1Return();

    // The absolute index of the tree's selected node, or -1 with no selection.
    int SelectedIndex() const;
    // The help page of the selected node's lesson type.
    QString LessonHelpPage() const;

    // The catalogue read and the tree built and prepared again, as start-up
    // does, leaving the other windows alone.
    void ReloadCatalogue();

    const ExerciseWindows& Windows() const { return windows_; }

  private:
    // What the tree's area and the tree make of their mouse events and keys
    // before the tree sees them: true when the tree must not see the event.
    // Return runs the selected node, as a double click does, and a held key
    // runs it once; every other key is reported before the tree acts on it.
    bool treeMouse(QEvent* event);
    bool treeKey(QEvent* event);

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

    // The selected node's entries, as the lesson set-ups read them.
    catalogue::LessonEntries entriesOf(int node) const;
    // Introduction and About: load the page viewer and show it if switched on.
    void openPageViewer(int pageLine, int captionLine, int switchLine);
    QString descriptionPath(const QString& entry) const;
    // Shows the node's description and remembers which node that is.
    void showDescription(int node);
    platform::StringList& nodeList(catalogue::CatalogueFiles::NodeList list);

    const ExerciseWindows& windows_;
    SplashAndSkin& splashAndSkin_;
    int describedNode_ = -1;
};

}  // namespace lectern::main
