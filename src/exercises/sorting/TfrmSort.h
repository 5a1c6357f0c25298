#pragma once

#include "exercises/sorting/SortListBox.h"
#include "platform/StringList.h"
#include "platform/widgets/SkinnedForm.h"

#include <QLabel>
#include <QTimer>

#include <array>
#include <functional>

namespace lectern::catalogue {
class LessonEntries;
}

namespace lectern::exercises {

// The sorting exercise: items dragged from a source list into two target
// lists under a countdown, then counted for errors.
class TfrmSort : public platform::SkinnedForm {
    Q_OBJECT
  public:
    explicit TfrmSort(platform::Platform& platform);

    // Components.
    QLabel* Label1;
    QWidget* Panel3;
    SortListBox* ListBox1;
    QFrame* Shape1;
    SortListBox* ListBox3;
    QFrame* Shape2;
    SortListBox* ListBox2;
    QTimer* Timer1;

    // The help page of the lesson that runs; set by the window set.
    std::function<QString()> LessonHelpPage;

    // Handlers.
    void FormResize();
    // Whether a box takes a drop from the source: from any other box, never
    // from itself.
    bool ListBox1DragOver(QObject* source) const;
    bool ListBox2DragOver(QObject* source) const;
    bool ListBox3DragOver(QObject* source) const;
    void ListBox1DragDrop(QListWidget* source);
    void ListBox2DragDrop(QListWidget* source);
    void ListBox3DragDrop(QListWidget* source);
    // The selected item of the source goes to the end of the target.
    void ListBoxDragDrop(QListWidget* target, QListWidget* source);
    // The keyboard's drop: the selected item of the box with the focus goes
    // to the box `step` places to its right (left when negative), under the
    // rules of a drop; the box keeps the focus and selects the next item.
    void MoveSelectedItem(int step);
    void Timer1Timer();
    void m11Click();
    void m33Click();
    // Help: the lesson type's help page, as in the other exercise windows.
    void m44Click();
    void m55Click();
    void FormClose() override;

    // The misplaced items: expected items a target box lacks and items it
    // holds that are not expected, compared by presence, letter case aside.
    int CountErrors() const;
    static QString CountdownCaption(int seconds);

    // The launcher's set-up of a sorting exercise: the offered
    // items in the left-hand list, the expected ones kept aside, the
    // countdown running, the window shown modally.
    void RunSorting(const catalogue::LessonEntries& lesson);

    // The exercise's state, for reading.
    int SecondsLeft() const { return Countdown; }
    const platform::StringList& ExpectedRight() const { return SecondGroup; }
    const platform::StringList& ExpectedMiddle() const { return ThirdGroup; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<SortListBox*, 3> boxesLeftToRight() const;
    // The box under a point in global coordinates, or null.
    SortListBox* boxAt(QPoint global) const;
    bool acceptsDrop(SortListBox* target, QObject* source) const;
    void drop(SortListBox* target, QListWidget* source);

    int Countdown = 0;
    platform::StringList SecondGroup;
    platform::StringList ThirdGroup;
};

}  // namespace lectern::exercises
