#pragma once

#include <QLabel>

class QTimer;

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

  private:
    TForm& form_;
    QTimer* hide_;
};

}  // namespace lectern::platform
