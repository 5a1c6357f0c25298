// The test window's set-up, as the launcher runs it, each step in its order.
#include "exercises/quiz/TMultiFrm.h"

#include "catalogue/LessonEntries.h"
#include "exercises/StartCountdown.h"
#include "platform/browser/TCppWebBrowser.h"

namespace lectern::exercises {

void TMultiFrm::ResetForLaunch() {
    SaveResults = false;
}

void TMultiFrm::RunTest(const catalogue::LessonEntries& lesson, catalogue::LessonKind kind) {
    SetCaption(lesson.Caption());
    if (kind == catalogue::LessonKind::SavedWrittenTest)
        SaveResults = true;
    Test = kind == catalogue::LessonKind::ChoiceTest ? TestKind::MultipleChoice : TestKind::Written;
    CppWebBrowser1->Navigate(lesson.PagePath());
    // The learner starts on the page's questions, not on a button.
    QWidget* page = CppWebBrowser1->view();
    (page ? page : CppWebBrowser1)->setFocus();
    Countdown = startCountdown(*Timer1, lesson);
    Label1->setVisible(Countdown > 0);
    Label1->setText(CountdownCaption(Countdown));
    ShowModal();
}

}  // namespace lectern::exercises
