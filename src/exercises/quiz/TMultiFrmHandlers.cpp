// The test window at work: the countdown, the check of a multiple-choice
// page and the saving of a written one.
#include "exercises/quiz/TMultiFrm.h"

#include "catalogue/PageIds.h"
#include "exercises/CountdownNotice.h"
#include "exercises/LessonHelp.h"
#include "exercises/StartCountdown.h"
#include "exercises/markup/PageMarkup.h"
#include "platform/Error.h"
#include "platform/StringList.h"
#include "platform/browser/InertPage.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/files/CourseFiles.h"

namespace lectern::exercises {
QString TMultiFrm::CountdownCaption(int seconds) {
    return QStringLiteral("Time countdown: %1 seconds").arg(seconds);
}

void TMultiFrm::Timer1Timer() {
    --Countdown;
    Label1->setText(CountdownCaption(Countdown));
    announceCountdown(this, Countdown);
    // A start of 0 or less counts on below zero and never ends the test.
    if (Countdown != 0)
        return;
    Timer1->stop();
    if (Test == TestKind::MultipleChoice)
        CheckTest();
    else if (Test == TestKind::Written)
        SavePage();
}

void TMultiFrm::m33Click() {
    if (Test == TestKind::MultipleChoice) {
        Timer1->stop();
        CheckTest();
    } else if (Test == TestKind::Written && SaveResults) {
        SavePage();
    }
}

void TMultiFrm::CheckTest() {
    const Variant document = CppWebBrowser1->Document();
    int errors = 0;
    // A question counts once while its options stand together.
    QString lastCounted;
    const int n = InputCount(document);
    for (int j = 1; j <= n; ++j) {
        const Variant input = FindInput(document, j);
        if (input.isEmptyOrNull())
            break;
        const QString rtype = InputRtype(input);
        const QString checked = InputChecked(input);
        if (rtype == QLatin1String("1") && checked == QLatin1String("False")) {
            const QString name = InputName(input);
            if (name != lastCounted) {
                ++errors;
                lastCounted = name;
            }
        }
        if (checked == QLatin1String("True") && rtype == QLatin1String("0")) {
            const QString name = InputName(input);
            if (name != lastCounted) {
                ++errors;
                lastCounted = name;
            }
            SetClass(FindElement(document, catalogue::feedbackId(j)), QStringLiteral("instext"));
        }
    }
    platform().dialogs.showMessageBox(QStringLiteral("Results"),
                                      errors == 0
                                          ? QStringLiteral("All correct")
                                          : QStringLiteral("Number of errors: %1").arg(errors));
}

void TMultiFrm::SavePage() {
    // The countdown ends here: the window closes after the dialog anyway, and
    // a tick reaching zero behind the open dialog would save a second time.
    Timer1->stop();
    platform::StringList page;
    // The saved page may be opened later in any browser: it runs nothing and
    // sends nothing, whatever the page's scripts put in it.
    page.Add(platform::inertPage(PageSnapshot(CppWebBrowser1->Document())));
    for (;;) {
        const QString fileName = platform().dialogs.askSaveFileName(SaveDialog1);
        if (fileName.isEmpty())
            break;
        try {
            // The learner's own choice, used exactly as the dialog gave it.
            platform().files.writeChosenFile(fileName, page.text().toUtf8());
            break;
        } catch (const platform::Error& error) {
            // The learner's answers exist only in this page: an unwritable
            // file is reported and another one asked for, never given up.
            platform().dialogs.showError(platform::withFullStop(error.message()));
        }
    }
    Close();
}

void TMultiFrm::m11Click() {
    if (Countdown > 0)
        resumeCountdown(*Timer1);
}

void TMultiFrm::m44Click() {
    openLessonHelp(platform(), LessonHelpPage);
}

void TMultiFrm::m55Click() {
    Timer1->stop();
    Close();
}

void TMultiFrm::FormClose() {
    Timer1->stop();
}

}  // namespace lectern::exercises
