#pragma once

#include "platform/widgets/TImage.h"

#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QFrame;

namespace lectern::platform {

class TForm;

// The picture buttons on one of a window's bars. A button is a hidden holder
// carrying its lit picture, below a transparent clickable image that carries
// the cursor, the hint, the keys and the click; a button may also have a
// resting picture, visible below both. A click puts the button's light out
// before its handler runs, and every handler runs through the window's guard.
class ButtonBar {
  public:
    struct Button {
        TImage* resting = nullptr;
        TImage* holder = nullptr;
        TImage* clickable = nullptr;
    };
    struct Design {
        QString hint;
        bool resting = false;
    };

    explicit ButtonBar(TForm& form) : form_(form) {}

    // Creates the buttons on `bar`: the resting pictures, then all holders,
    // then the clickables, so that every clickable lies above every holder.
    void create(QFrame* bar, std::initializer_list<Design> buttons);
    // Design-time places: a row from `left`, `step` pixels from one button to
    // the next. The course's geometry moves them.
    void placeInRow(int width, int height, int top, int left, int step);
    // Places every image of one button, at the bar's scale.
    void place(int button, int width, int height, int top, int left);
    // Draws the bar at `scale`: every button's area and pictures with it.
    void setScale(double scale);

    int count() const { return static_cast<int>(buttons_.size()); }
    const Button& operator[](int button) const { return buttons_.at(button); }
    TImage* holder(int button) const { return buttons_.at(button).holder; }
    TImage* clickable(int button) const { return buttons_.at(button).clickable; }

    // The clicks of the buttons in order; an empty handler leaves its
    // button without one.
    void onClicks(std::initializer_list<std::function<void()>> handlers);

    // Hover lighting: the mouse over a clickable lights its holder and puts
    // the others out; over `background` (the bar's picture) it puts all out;
    // leaving a clickable by any way puts its own light out.
    void lightOnHover(TImage* background);
    // A hover over `hovered` leaves the light of `kept` as it is.
    void keepLightFrom(int hovered, int kept);

    // The holder of `lit` lights (shown only when hidden, so that a lit button
    // is not repainted) after the others go out; -1 puts all out.
    void light(int lit);

  private:
    bool keeps(int hovered, int other) const;

    void applyPlace(int button) const;

    TForm& form_;
    std::vector<Button> buttons_;
    // Width, height, top and left of each button as designed.
    std::vector<QRect> designs_;
    double scale_ = 1.0;
    std::vector<std::pair<int, int>> kept_;
};

}  // namespace lectern::platform
