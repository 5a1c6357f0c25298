#pragma once

#include "catalogue/LessonTypes.h"
#include "platform/desktop/Dialogs.h"
#include "platform/widgets/SkinnedForm.h"

#include <QLabel>
#include <QTimer>
#include <functional>

namespace lectern::catalogue {
class LessonEntries;
}
namespace lectern::platform {
class TCppWebBrowser;
}

namespace lectern::exercises {

// The test window: a test page under an optional countdown, checked for
// wrong choices or saved with the learner's written answers.
class TMultiFrm : public platform::SkinnedForm {
    Q_OBJECT
  public:
    TMultiFrm(platform::Platform& platform, QWidget* mainForm);

    // Components.
    QLabel* Label1;
    platform::TCppWebBrowser* CppWebBrowser1;
    QTimer* Timer1;
    platform::SaveDialogOptions SaveDialog1{"htm", "HTML|*.htm"};

    // The help page of the lesson selected in the main window.
    std::function<QString()> LessonHelpPage;

    // How the test is done when the learner checks it or the time runs out:
    // its choices counted, or its page offered for saving with the answers.
    enum class TestKind { None, MultipleChoice, Written };

    // The launcher's share: the common reset of every launch, then the
    // set-up of a multiple-choice test, a written test, or a written test
    // whose results are offered for saving, ending with the window shown
    // modally.
    void ResetForLaunch();
    void RunTest(const catalogue::LessonEntries& lesson, catalogue::LessonKind kind);

    // Handlers.
    void Timer1Timer();
    void m11Click();
    void m33Click();
    void m44Click();
    void m55Click();
    void FormClose() override;

    // Counts the wrong answers of the shown page, marks the feedback of each
    // wrong choice and tells the learner in the "Results" box.
    void CheckTest();
    // Offers the shown page with the learner's answers for saving, then
    // closes the window, saved or not.
    void SavePage();
    // "Time countdown: " + seconds + " seconds".
    static QString CountdownCaption(int seconds);

    // The test's state, for reading.
    int SecondsLeft() const { return Countdown; }
    TestKind Kind() const { return Test; }
    bool SavesResults() const { return SaveResults; }

  private:
    int Countdown = 0;
    TestKind Test = TestKind::None;
    bool SaveResults = false;
};

}  // namespace lectern::exercises
