#include "app/WindowSet.h"

#include "app/Intro/TIntroFrm.h"
#include "app/skin/WindowSkins.h"
#include "exercises/LessonWords.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/TMainFrm.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/desktop/Dialogs.h"
#include "platform/dictionary/PageLanguage.h"
#include "platform/dictionary/Words.h"
#include "platform/widgets/WindowKeys.h"

namespace lectern::app {

WindowSet::WindowSet(platform::Platform& platform)
    : platform_(platform), words_(std::make_unique<platform::Words>(platform.files)) {
    MainFrm = new mainwindow::TMainFrm(platform, *this, *this);
    ViewFrm = new exercises::TViewFrm(platform);
    ViewTxtFrm = new exercises::TViewTxtFrm(platform, MainFrm);
    WorkTxtFrm = new exercises::TWorkTxtFrm(platform, MainFrm);
    IntroFrm = new TIntroFrm(platform);
    MultiFrm = new exercises::TMultiFrm(platform, MainFrm);
    frmSort = new exercises::TfrmSort(platform);
    // These two are not centred on the main window, but open over it too.
    ViewFrm->SetOwner(MainFrm);
    frmSort->SetOwner(MainFrm);
    ViewTxtFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    WorkTxtFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    MultiFrm->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    frmSort->LessonHelpPage = [main = MainFrm] { return main->LessonHelpPage(); };
    wireWords();
}

void WindowSet::wireWords() {
    platform::Words& words = *words_;
    for (platform::TCppWebBrowser* browser :
         {MainFrm->CppWebBrowser1, ViewFrm->Browser, ViewTxtFrm->CppWebBrowser1,
          WorkTxtFrm->CppWebBrowser1, WorkTxtFrm->CppWebBrowser2, MultiFrm->CppWebBrowser1})
        QObject::connect(browser, &platform::TCppWebBrowser::OnWordChosen, &words,
                         &platform::Words::lookUp);
    // A lesson page's stemmer loads while the learner reads, not at the
    // first word; at rest, with no lesson open, nothing loads.
    for (platform::TCppWebBrowser* browser :
         {ViewTxtFrm->CppWebBrowser1, WorkTxtFrm->CppWebBrowser1, WorkTxtFrm->CppWebBrowser2,
          MultiFrm->CppWebBrowser1})
        QObject::connect(browser, &platform::TCppWebBrowser::OnDocumentComplete, &words,
                         [&words, browser, main = MainFrm] {
                             main->guarded([&words, browser] {
                                 words.prepareFor(platform::pageLanguage(browser->Document()));
                             });
                         });
    // What a recording takes in is the learner's voice alone: no popup
    // breaks into it.
    words.held = [reading = ViewTxtFrm, work = WorkTxtFrm] {
        return reading->Lookup->recording() || work->Lookup->recording();
    };
    ViewTxtFrm->Lookup->attach(words);
    WorkTxtFrm->Lookup->attach(words);
    platform::WindowKeys keys(*MainFrm);
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_E), [this, &words] {
        const QString path = words.exportList();
        platform_.dialogs.showMessage(
            QStringLiteral("The word list of this course is exported to %1").arg(path));
    });
}

WindowSet::~WindowSet() {
    delete frmSort;
    delete MultiFrm;
    delete IntroFrm;
    delete WorkTxtFrm;
    delete ViewTxtFrm;
    delete ViewFrm;
    delete MainFrm;
}

void WindowSet::SizeSplash(int width, int height) {
    IntroFrm->SetWidth(width);
    IntroFrm->SetHeight(height);
}

void WindowSet::SkinWindows(const platform::StringList& layout) {
    LoadSkins(*this, layout, platform_.files, pictures_);
}

void WindowSet::PrepareSplash(const QString& appFolder,
                              const platform::StringList& windowSettings) {
    ShowIntro(*this, appFolder, windowSettings, platform_.files, pictures_);
}

void WindowSet::PlaceButtons(const platform::StringList& layout) {
    app::PlaceButtons(*this, layout);
}

}  // namespace lectern::app
