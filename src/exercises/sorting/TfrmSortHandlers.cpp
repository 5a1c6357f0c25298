// The sorting exercise at work: items moved between the boxes and the count
// of misplaced items when the countdown runs out.
#include "exercises/sorting/TfrmSort.h"

#include "exercises/CountdownNotice.h"
#include "exercises/LessonHelp.h"
#include "exercises/StartCountdown.h"
#include "platform/desktop/Dialogs.h"

#include <algorithm>

namespace lectern::exercises {
namespace {

QStringList itemsOf(const QListWidget& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.item(i)->text());
    return items;
}

// Items of `wanted` that `held` lacks, by presence and without letter case.
int missing(const QStringList& wanted, const QStringList& held) {
    int count = 0;
    for (const QString& item : wanted)
        if (!held.contains(item, Qt::CaseInsensitive))
            ++count;
    return count;
}

}  // namespace

QString TfrmSort::CountdownCaption(int seconds) {
    return QStringLiteral("Time countdown: %1 seconds").arg(seconds);
}

bool TfrmSort::ListBox1DragOver(QObject* source) const {
    return source != ListBox1;
}
bool TfrmSort::ListBox2DragOver(QObject* source) const {
    return source != ListBox2;
}
bool TfrmSort::ListBox3DragOver(QObject* source) const {
    return source != ListBox3;
}

void TfrmSort::ListBox1DragDrop(QListWidget* source) {
    ListBoxDragDrop(ListBox1, source);
}
void TfrmSort::ListBox2DragDrop(QListWidget* source) {
    ListBoxDragDrop(ListBox2, source);
}
void TfrmSort::ListBox3DragDrop(QListWidget* source) {
    ListBoxDragDrop(ListBox3, source);
}

void TfrmSort::ListBoxDragDrop(QListWidget* target, QListWidget* source) {
    // A source without a selected item (emptied meanwhile) has nothing to give.
    const QList<QListWidgetItem*> selected = source->selectedItems();
    if (target == source || selected.isEmpty())
        return;
    const QString text = selected.first()->text();
    target->addItem(text);
    delete source->takeItem(source->row(selected.first()));
}

void TfrmSort::MoveSelectedItem(int step) {
    const std::array<SortListBox*, 3> boxes = boxesLeftToRight();
    int from = 0;
    while (from < 3 && !boxes[static_cast<size_t>(from)]->hasFocus())
        ++from;
    const int to = from + step;
    if (from == 3 || to < 0 || to >= 3)
        return;
    SortListBox* source = boxes[static_cast<size_t>(from)];
    SortListBox* target = boxes[static_cast<size_t>(to)];
    if (!acceptsDrop(target, source) || source->selectedItems().isEmpty())
        return;
    const int row = source->row(source->selectedItems().first());
    drop(target, source);
    if (source->count() > 0)
        source->setCurrentRow(std::min(row, source->count() - 1));
}

void TfrmSort::Timer1Timer() {
    --Countdown;
    Label1->setText(CountdownCaption(Countdown));
    announceCountdown(this, Countdown);
    // A start of 0 or less counts on below zero and is never counted.
    if (Countdown != 0)
        return;
    Timer1->stop();
    const int errors = CountErrors();
    if (errors != 0)
        platform().dialogs.showMessage(QString::fromUtf8("Вы допустили ошибок: ") +
                                       QString::number(errors));
}

int TfrmSort::CountErrors() const {
    const QStringList second = itemsOf(*ListBox2);
    const QStringList third = itemsOf(*ListBox3);
    return missing(SecondGroup.lines(), second) + missing(second, SecondGroup.lines()) +
           missing(ThirdGroup.lines(), third) + missing(third, ThirdGroup.lines());
}

void TfrmSort::m11Click() {
    resumeCountdown(*Timer1);
}

void TfrmSort::m33Click() {
    Timer1->stop();
}

void TfrmSort::m44Click() {
    openLessonHelp(platform(), LessonHelpPage);
}

void TfrmSort::m55Click() {
    Timer1->stop();
    Close();
}

void TfrmSort::FormClose() {
    Timer1->stop();
}

}  // namespace lectern::exercises
