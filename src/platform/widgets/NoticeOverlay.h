#pragma once

#include "platform/widgets/ShownForAWhile.h"

#include <QLabel>

namespace lectern::platform {

class TForm;

// A short line shown for a moment over a window ("Speed 1.2×") and told to
// a screen reader. It never takes the mouse or the focus.
class NoticeOverlay : public QLabel {
  public:
    static constexpr int ShownMs = 1500;

    NoticeOverlay(TForm& form, const QString& objectName);

    // Shows `text` for ShownMs, replacing whatever was shown.
    void showNotice(const QString& text);
    // From now on the notice shows centred over `band`, a part of the window
    // that never holds the page (its skin bar), so it never covers the
    // highlighted passage. Without one it shows over the upper window.
    void placeOver(QWidget* band) { band_ = band; }

  private:
    TForm& form_;
    QWidget* band_ = nullptr;
    ShownForAWhile shown_;
};

}  // namespace lectern::platform
