#pragma once

#include "platform/StringList.h"
#include "platform/widgets/SkinnedForm.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

namespace lectern::exercises {

// The sorting exercise: items dragged from a source list into two target
// lists under a countdown, then counted for errors.
class TfrmSort : public platform::SkinnedForm {
    Q_OBJECT
  public:
    explicit TfrmSort(platform::Platform& platform);

    // Components.
    platform::TImage *m1, *m2, *m3, *m4, *m5;
    platform::TImage *m11, *m22, *m33, *m44, *m55;
    QLabel* Label1;
    QWidget* Panel3;
    QListWidget* ListBox1;
    QFrame* Shape1;
    QListWidget* ListBox3;
    QFrame* Shape2;
    QListWidget* ListBox2;
    QTimer* Timer1;

    // State, written by the lesson launcher before the window is shown.
    int Countdown = 0;
    platform::StringList SecondGroup;
    platform::StringList ThirdGroup;
};

}  // namespace lectern::exercises
