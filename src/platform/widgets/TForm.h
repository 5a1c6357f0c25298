#pragma once

#include "platform/Platform.h"
#include "platform/desktop/HandlerGuard.h"

#include <QWidget>
#include <functional>

class QTimer;

namespace lectern::platform {

class Error;

// A window of the window set. Sizes follow the course geometry's convention:
// a framed window's Width and Height include a 3-pixel frame on each side and
// a caption bar, so its client area is Width − 6 by Height − 25. A window
// without a frame is exactly its Width by Height. A window never grows past
// the screen's available area nor opens beyond it: sizes that fit are kept,
// larger ones are cut to the screen.
class TForm : public QWidget {
    Q_OBJECT
  public:
    enum class Frame { FixedDialog, Sizeable, None };
    enum class Position { ScreenCenter, MainFormCenter, Designed };

    TForm(Platform& platform, Frame frame, Position position, QWidget* mainForm = nullptr);

    int Width() const;
    int Height() const;
    void SetWidth(int width);
    void SetHeight(int height);

    QString Caption() const { return windowTitle(); }
    // The caption as WindowCaption cuts it: captions come from the course.
    void SetCaption(const QString& caption);

    // The window this one opens over (the main window, when not given here
    // the main form the window is centred on): window systems that place
    // windows themselves, as Wayland compositors do, place it over its
    // owner and keep it above.
    void SetOwner(QWidget* owner) { owner_ = owner; }
    bool opensOverAnother() const { return owner() != nullptr; }

    // Shows the window modally through the platform's modal runner.
    void ShowModal();
    // A close asked for while the window is still being shown (by a handler
    // run from its FormShow, say behind an error box) happens as soon as the
    // showing has finished, so that the window does close.
    void Close();

    Platform& platform() const { return platform_; }
    // Runs an event handler through the guard.
    bool guarded(const std::function<void()>& handler) const { return guard_.run(handler); }

    // Connects a signal to a handler that runs through the guard.
    template <typename Sender, typename Signal, typename Handler>
    void bind(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler](auto&&...) { guarded(handler); });
    }

    // Connects a timer to its tick through the guard. A tick that fails
    // stops its timer first, then its error is reported: while a box waits
    // for the learner, a running timer would raise box after box. A window
    // whose ticks report the toolkit's errors in a box of their own passes
    // that report; any other failure gets the standard error box.
    void bindTimer(QTimer* timer, std::function<void()> tick,
                   std::function<void(const Error&)> reportError = {});

  signals:
    void closed();

  protected:
    // Run when the window closes by any means, before it hides. Once hidden
    // the window gives back its browsers' pages and closes its players.
    virtual void FormClose() {}
    // Run each time the window is shown, before it becomes visible.
    virtual void FormShow() {}

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // For a window whose players go on holding their sound after it
    // closes (the splash's stays open until the program ends).
    void KeepContentWhenHidden() { releasesContent_ = false; }

    // The client size the window takes when its design asks for `design`
    // and the screen leaves `area`: by default each side is cut to fit.
    virtual QSize fitClientSize(QSize design, QSize area);

  private:
    QWidget* owner() const { return owner_ ? owner_ : mainForm_; }
    void releaseContent();
    void applyClientSize(int clientWidth, int clientHeight);
    int frameWidth() const;
    int frameHeight() const;
    // The screen area the window must stay within.
    QRect availableArea() const;
    // Moves the window so that all of it lies within the available area.
    void keepOnScreen();

    Platform& platform_;
    HandlerGuard guard_;
    Frame frame_;
    Position position_;
    QWidget* mainForm_;
    QWidget* owner_ = nullptr;
    // The client size last asked for, before it was fitted to the screen.
    QSize design_;
    bool showing_ = false;
    bool closeAfterShow_ = false;
    bool releasesContent_ = true;
};

}  // namespace lectern::platform
