#pragma once

#include <QObject>

class QLabel;
class QMessageBox;
class QWidget;

namespace lectern::platform {

// A box's own caption row, for where Qt draws window decoration itself (a
// Wayland compositor that leaves it to the program, as weston and GNOME do).
// Qt's title bar there ignores the window's flags: it offers to minimise and
// maximise a modal box, which would leave its window locked, and it cuts the
// caption where its buttons begin. The box is made frameless instead, with a
// row that shows the whole caption and one close button; dragging the row
// moves the box, and a thin line sets the box off from what lies under it.
class BoxCaption : public QObject {
  public:
    // Whether a window opened now would get Qt's own title bar.
    static bool drawnByQt();

    // Gives `box` the row, and the width for the whole caption and the
    // close button; call before it shows. The box owns it.
    explicit BoxCaption(QMessageBox& box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int width() const;

    QMessageBox& box_;
    QWidget* row_;
    QLabel* caption_;
};

}  // namespace lectern::platform
