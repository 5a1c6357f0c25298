// The sorting exercise's set-up, as the launcher runs it, each step in its
// order.
#include "exercises/sorting/TfrmSort.h"

#include "catalogue/LessonEntries.h"
#include "catalogue/SortingFile.h"
#include "exercises/StartCountdown.h"

namespace lectern::exercises {

void TfrmSort::RunSorting(const catalogue::LessonEntries& lesson) {
    SetCaption(lesson.Caption());
    ListBox1->clear();
    ListBox2->clear();
    ListBox3->clear();
    platform::StringList lines;
    lines.LoadFromFile(platform().files, lesson.PagePath());
    SecondGroup.Clear();
    ThirdGroup.Clear();
    const catalogue::SortingFile file = catalogue::SortingFile::fromLines(lines.lines());
    ListBox1->addItems(file.group(catalogue::SortingFile::Offered));
    SecondGroup = platform::StringList(file.group(catalogue::SortingFile::Right));
    ThirdGroup = platform::StringList(file.group(catalogue::SortingFile::Middle));
    Countdown = startCountdown(*Timer1, lesson);
    Label1->show();
    Label1->setText(CountdownCaption(Countdown));
    ShowModal();
}

}  // namespace lectern::exercises
