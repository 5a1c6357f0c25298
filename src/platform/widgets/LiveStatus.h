#pragma once

#include <QWidget>

namespace lectern::platform {

// A window's live status: a notification object, never drawn, that a screen
// reader speaks each time it shows with a new text, as it speaks a desktop
// notification. The accessibility of this Qt has no announcement of its own.
class LiveStatus : public QWidget {
    Q_OBJECT
  public:
    // The window's own, made when first asked for.
    static LiveStatus& of(QWidget* window);

    // Shows `text` to assistive technology once, even the same text again.
    void tell(const QString& text);

  private:
    explicit LiveStatus(QWidget* window);
};

}  // namespace lectern::platform
