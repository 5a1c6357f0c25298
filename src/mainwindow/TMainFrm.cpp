#include "mainwindow/TMainFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "catalogue/Layout.h"
#include "catalogue/WindowSettingsLine.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/practice/TextZoom.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/SplashAndSkin.h"
#include "platform/Convert.h"
#include "platform/Error.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/desktop/Shell.h"
#include "platform/files/CourseFiles.h"
#include "platform/widgets/Announcer.h"
#include "platform/widgets/EventFilter.h"
#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/WindowKeys.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>

namespace lectern::mainwindow {
namespace {

namespace Files = catalogue::CatalogueFiles;
namespace Paths = catalogue::CoursePaths;

constexpr platform::SkinnedForm::Design kDesign{1000, 675, 81, 84, 49, 46};

// How long the keys must rest before the description follows them: long
// enough that a held arrow key does not load every page it passes.
constexpr int kDescriptionDelayMs = 150;

}  // namespace

TMainFrm::TMainFrm(platform::Platform& platform, const ExerciseWindows& windows,
                   SplashAndSkin& splashAndSkin)
    : SkinnedForm(platform, Frame::FixedDialog, Position::ScreenCenter, nullptr, kDesign),
      windows_(windows),
      splashAndSkin_(splashAndSkin) {
    setObjectName("MainFrm");
    Buttons().create(Panel1, {{"Introduction"}, {"Run lesson"}, {"Help"}, {"About"}, {"Exit"}});
    Buttons().placeInRow(150, 70, 5, 60, 170);

    auto* row = new QHBoxLayout(Content());
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    TreeView1 = new QTreeView(Content());
    TreeModel = new LessonTreeModel(TreeView1);
    TreeView1->setModel(TreeModel);
    TreeView1->setHeaderHidden(true);
    TreeView1->setAccessibleName(QStringLiteral("Lessons"));
    TreeView1->setFrameShape(QFrame::NoFrame);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setIndentation(29);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setUniformRowHeights(true);
    TreeView1->setFixedWidth(336);
    TreeView1->setMouseTracking(true);
    QFont treeFont;
    treeFont.setFamilies({"MS Sans Serif", "DejaVu Sans", "Sans Serif"});
    treeFont.setPixelSize(13);
    TreeView1->setFont(treeFont);
    Splitter1 = new QSplitter(Content());
    Splitter1->hide();
    CppWebBrowser1 = new platform::TCppWebBrowser(platform.browsers, Content());
    row->addWidget(TreeView1);
    row->addWidget(Splitter1);
    row->addWidget(CppWebBrowser1, 1);

    Buttons().onClicks({[this] { m1Click(); }, [this] { m22Click(); }, [this] { m3Click(); },
                        [this] { m4Click(); }, [this] { m5Click(); }});
    // The holders but "Run lesson"'s click as their clickables do.
    bind(m1(), &platform::TImage::clicked, [this] { m1Click(); });
    bind(m3(), &platform::TImage::clicked, [this] { m3Click(); });
    bind(m4(), &platform::TImage::clicked, [this] { m4Click(); });
    bind(m5(), &platform::TImage::clicked, [this] { m5Click(); });
    bind(TreeView1, &QTreeView::clicked, [this] { TreeView1Click(); });
    bind(CppWebBrowser1, &platform::TCppWebBrowser::OnDocumentComplete,
         [this] { CppWebBrowser1DocumentComplete(); });
    bind(TreeView1, &QTreeView::doubleClicked, [this] { m22Click(); });
    // Looked at once the change is complete: a move of the current row
    // selects the row before it makes it current.
    connect(TreeView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { guarded([this] { TreeView1SelectionChange(); }); },
            Qt::QueuedConnection);
    });
    platform::WindowKeys keys(*this);
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Return), [this] { RunLastLesson(); });
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Enter), [this] { RunLastLesson(); });
    Notices = new platform::NoticeOverlay(*this, QStringLiteral("MainOverlay"));
    Notices->placeOver(Panel1);
    Zoom = std::make_unique<exercises::TextZoom>(
        keys, *Notices, std::vector<platform::TCppWebBrowser*>{CppWebBrowser1});
    platform::EventFilter::install(TreeView1->viewport(), this,
                                   [this](QObject*, QEvent* event) { return treeMouse(event); });
    DescriptionTimer = new QTimer(this);
    DescriptionTimer->setSingleShot(true);
    DescriptionTimer->setInterval(kDescriptionDelayMs);
    bindTimer(DescriptionTimer, [this] { DescriptionTimerTimer(); });
    platform::EventFilter::install(TreeView1, this,
                                   [this](QObject*, QEvent* event) { return treeKey(event); });
    // The keyboard starts in the tree.
    TreeView1->setFocus();

    Buttons().lightOnHover(Image3);
    TreeView1->viewport()->setMouseTracking(true);

    // The constructor's own steps: empty values, then the current folder.
    appFolder_ = platform.files.currentFolder();
    // Nothing the course names is read or written outside its folder.
    platform.files.setCourseFolder(appFolder_);
    Zoom->load(platform.files.courseFolder());
}

TMainFrm::~TMainFrm() {
    // The tree's filters call this window: the tree goes while it is whole,
    // not later among the base class's children, when it is no longer a
    // main window.
    delete TreeView1;
}

int TMainFrm::SelectedIndex() const {
    return LessonTreeModel::nodeOf(TreeView1->currentIndex());
}

QString TMainFrm::descriptionPath(const QString& entry) const {
    return appFolder_ + Paths::Descriptions + entry;
}

void TMainFrm::FormShow() {
    platform::CourseFiles& files = platform().files;
    // The geometry is read with the catalogue but serves start-up only; it
    // and the reserved file are released when FormShow ends, however it ends.
    platform::StringList& layout = catalogue_.list(List::Layout);
    const auto releaseLayout = qScopeGuard([&layout] { layout.Clear(); });
    platform::StringList reserved;

    soundRoot_ = appFolder_ + QLatin1Char('\\');
    ComputeTempWavName();
    // The course's legacy code page is one for all its text, decided before
    // the first list is decoded.
    files.detectCodePage(catalogue::Catalogue::startupPaths(appFolder_), Files::Budget);
    ReadCatalogue();
    SizeWindows(layout);
    BuildTree();
    reserved.LoadFromFile(files, Files::Reserved, platform::SafeFile::listLimit, Files::Budget);
    SkinWindows(layout);
    PrepareSplash();
    PlaceButtons(layout);
    layout.Clear();
    reserved.Clear();
    files.setCurrentFolder(appFolder_);
    showDescription(0);
    // The reserved file's lines mean nothing to the player, but a course
    // without it must not start: it is read once more from the application
    // folder, now current again.
    platform::StringList again;
    again.LoadFromFile(files, Files::Reserved, platform::SafeFile::listLimit, Files::Budget);
    SetCaption(WindowSettings()[catalogue::CourseTitle]);
    again.Clear();
    PrepareTree();
    PrepareIntroduction();
}

void TMainFrm::ComputeTempWavName() {
    tempWavName_.clear();
    for (int n = 1; n <= 99999; ++n) {
        const QString name = appFolder_ + Paths::TempRecording + QString::number(n) + ".wav";
        // A link counts as taken, dangling or not: the recording is never
        // written through one.
        if (!platform().files.isTaken(name)) {
            tempWavName_ = name;
            return;
        }
    }
}

void TMainFrm::ReadCatalogue() {
    catalogue_.load(platform().files, appFolder_);
}

void TMainFrm::SizeWindows(const platform::StringList& lines) {
    const catalogue::Layout layout(lines);
    const ExerciseWindows& w = windows_;
    platform::TForm* skinned[] = {this,      w.ViewFrm,    w.MultiFrm,
                                  w.frmSort, w.ViewTxtFrm, w.WorkTxtFrm};
    for (platform::TForm* window : skinned) {
        window->SetWidth(layout[0] + 6);
        window->SetHeight(layout[1]);
    }
    w.WorkTxtFrm->CppWebBrowser1->setFixedWidth(std::max(w.WorkTxtFrm->Width() / 2 - 6, 0));
    splashAndSkin_.SizeSplash(layout[50], layout[51]);
}

void TMainFrm::BuildTree() {
    TreeModel->setTree({});
    platform::StringList lines;
    lines.LoadFromFile(platform().files, Files::Tree, platform::SafeFile::treeLimit, Files::Budget);
    QString error;
    TreeModel->setTree(catalogue::LessonTree::fromLines(lines.lines(), &error));
    if (!error.isEmpty())
        throw platform::Error(error);
}

void TMainFrm::PrepareTree() {
    TreeView1->collapseAll();
    TreeModel->setAllImageIndexes(1);
    if (TreeModel->tree().empty())
        return;
    const QModelIndex first = TreeModel->indexOfNode(0);
    TreeView1->setCurrentIndex(first);
    TreeModel->setImageIndex(0, 0);
}

void TMainFrm::PrepareIntroduction() {
    openPageViewer(catalogue::IntroductionPage, catalogue::IntroductionCaption,
                   catalogue::ShowIntroduction);
}

void TMainFrm::showDescription(int node) {
    const QString page = descriptionPath(DescrList()[node]);
    // Named first: a page may complete before Navigate returns.
    describedNode_ = node;
    CppWebBrowser1->Navigate(page);
}

void TMainFrm::TreeView1Click() {
    DescriptionTimer->stop();
    tellDescription_ = false;
    const int node = SelectedIndex();
    if (node < 0)
        return;
    platform().files.setCurrentFolder(appFolder_);
    showDescription(node);
}

void TMainFrm::TreeView1KeyDown() {
    DescriptionTimer->start();
}

void TMainFrm::TreeView1SelectionChange() {
    const QModelIndexList rows = TreeView1->selectionModel()->selectedRows();
    if (rows.size() != 1 || rows.front() == TreeView1->currentIndex())
        return;
    TreeView1->selectionModel()->setCurrentIndex(rows.front(), QItemSelectionModel::NoUpdate);
    TreeView1KeyDown();
}

void TMainFrm::DescriptionTimerTimer() {
    const int node = SelectedIndex();
    if (node < 0)
        return;
    if (node == describedNode_) {
        // Back on the node shown: nothing loads, the reader hears it at once.
        tellDescription_ = true;
        CppWebBrowser1DocumentComplete();
        return;
    }
    platform().files.setCurrentFolder(appFolder_);
    tellDescription_ = true;
    showDescription(node);
}

void TMainFrm::CppWebBrowser1DocumentComplete() {
    if (describedNode_ < 0)
        return;
    // A screenful: a reader would not read a whole page out unasked.
    constexpr qsizetype toldLength = 600;
    const platform::Variant document = CppWebBrowser1->Document();
    const platform::Variant body =
        document.isObject() ? document.get(QStringLiteral("body")) : platform::Variant();
    QString text = body.isObject() ? body.get(QStringLiteral("textContent")).toString().simplified()
                                   : QString();
    if (text.size() > toldLength)
        text = text.left(toldLength) + QChar(0x2026);
    TreeModel->setDescription(describedNode_, text);
    if (!tellDescription_)
        return;
    tellDescription_ = false;
    const QString caption =
        TreeModel->data(TreeModel->indexOfNode(describedNode_), Qt::DisplayRole).toString();
    platform::announce(TreeView1, text.isEmpty() ? caption : caption + QStringLiteral(". ") + text);
}

void TMainFrm::TreeView1Return() {
    // Keys still settling: the lesson's description shows before it runs.
    if (DescriptionTimer->isActive()) {
        DescriptionTimer->stop();
        DescriptionTimerTimer();
    }
    m22Click();
}

void TMainFrm::TreeView1MouseUp() {
    const int node = SelectedIndex();
    if (node >= 0)
        TreeModel->setImageIndex(node, 1);
}

void TMainFrm::openPageViewer(int pageLine, int captionLine, int switchLine) {
    exercises::TViewFrm* viewer = windows_.ViewFrm;
    const platform::StringList& settings = WindowSettings();
    viewer->Browser->Navigate(descriptionPath(settings[pageLine]));
    viewer->SetCaption(settings[captionLine]);
    if (platform::StrToBool(settings[switchLine]))
        viewer->ShowModal();
}

void TMainFrm::m1Click() {
    m1()->hide();
    openPageViewer(catalogue::IntroductionPage, catalogue::IntroductionCaption,
                   catalogue::ShowIntroduction);
}

void TMainFrm::m4Click() {
    m4()->hide();
    openPageViewer(catalogue::AboutPage, catalogue::AboutCaption, catalogue::ShowAbout);
}

void TMainFrm::m3Click() {
    m3()->hide();
    platform().shell.open(appFolder_ + Paths::Help);
}

void TMainFrm::m5Click() {
    m5()->hide();
    Close();
}

bool TMainFrm::treeMouse(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
            guarded([this] { TreeView1MouseMove(); });
            return false;
        case QEvent::MouseButtonRelease:
            // Whatever the button.
            guarded([this] { TreeView1MouseUp(); });
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // A node is chosen with the left button only, so that "Run lesson"
            // runs the lesson whose description is shown: the right and middle
            // buttons neither select nodes nor run lessons by a double click.
            return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
        default:
            return false;
    }
}

bool TMainFrm::treeKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
        guarded([this] { TreeView1KeyDown(); });
        return false;
    }
    // Ctrl+Return reaches the tree when it has the focus; the window's
    // shortcut takes it elsewhere.
    const bool last = key->modifiers().testFlag(Qt::ControlModifier);
    if (!key->isAutoRepeat())
        guarded([this, last] { last ? RunLastLesson() : TreeView1Return(); });
    return true;
}

void TMainFrm::TreeView1MouseMove() {
    TreeView1->setFocus();
}

}  // namespace lectern::mainwindow
