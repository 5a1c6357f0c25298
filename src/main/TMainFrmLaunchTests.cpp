// The launcher's set-ups of the test window (types "5", "6", "7") and of the
// sorting exercise (type "9").
#include "main/TMainFrm.h"

#include "catalogue/CatalogueFiles.h"
#include "exercises/Multi/TMultiFrm.h"
#include "exercises/Sortfrm/TfrmSort.h"
#include "platform/Convert.h"
#include "platform/browser/TCppWebBrowser.h"

namespace lectern::main {
namespace {

namespace Paths = catalogue::CoursePaths;

// Starts the countdown, then reads its seconds from the time entry. A launch
// that stops on that entry stops the countdown again, so that the hidden
// window does not reach zero later and check or save behind the learner's back.
int startCountdown(QTimer& timer, const platform::StringList& times, int node) {
    timer.start();
    try {
        return platform::StrToInt(times[node]);
    } catch (...) {
        timer.stop();
        throw;
    }
}

}  // namespace

void TMainFrm::RunTest(int node) {
    exercises::TMultiFrm& test = *Windows().MultiFrm;
    const QString& type = TypeList[node];
    test.SetCaption(CaptionList[node]);
    if (type == QLatin1String("7"))
        test.SaveResults = 1;
    test.TestKind = type == QLatin1String("5") ? QStringLiteral("multi") : QStringLiteral("txt");
    test.CppWebBrowser1->Navigate(AppFolder + Paths::Texts + TextList[node]);
    test.Countdown = startCountdown(*test.Timer1, TimeList, node);
    test.Label1->setVisible(test.Countdown > 0);
    test.Label1->setText(exercises::TMultiFrm::CountdownCaption(test.Countdown));
    test.ShowModal();
}

void TMainFrm::RunSorting(int node) {
    exercises::TfrmSort& sort = *Windows().frmSort;
    sort.SetCaption(CaptionList[node]);
    sort.ListBox1->clear();
    sort.ListBox2->clear();
    sort.ListBox3->clear();
    platform::StringList lines;
    lines.LoadFromFile(platform().files, AppFolder + Paths::Texts + TextList[node]);
    sort.SecondGroup.Clear();
    sort.ThirdGroup.Clear();
    // The empty line that closes a group belongs to it; groups after the
    // third are dropped.
    int group = 0;
    for (const QString& line : lines.lines()) {
        if (group == 0)
            sort.ListBox1->addItem(line);
        else if (group == 1)
            sort.SecondGroup.Add(line);
        else if (group == 2)
            sort.ThirdGroup.Add(line);
        if (line.isEmpty())
            ++group;
    }
    sort.Countdown = startCountdown(*sort.Timer1, TimeList, node);
    sort.Label1->show();
    sort.Label1->setText(exercises::TfrmSort::CountdownCaption(sort.Countdown));
    sort.ShowModal();
}

}  // namespace lectern::main
