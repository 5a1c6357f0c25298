#pragma once

class QTimer;
class QWidget;

namespace lectern::platform {

class TForm;

// Makes a widget a passing sight over its window: it never takes the mouse
// or the focus, and show() puts it on top for `ms`, after which it hides by
// itself.
class ShownForAWhile {
  public:
    ShownForAWhile(QWidget& widget, TForm& form, int ms);

    // Shows the widget on top of its window for the whole time, counted
    // again from now when it already shows.
    void show();

  private:
    QWidget& widget_;
    QTimer* hide_;
};

}  // namespace lectern::platform
