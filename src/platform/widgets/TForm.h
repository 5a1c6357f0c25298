#pragma once

#include "platform/HandlerGuard.h"
#include "platform/Platform.h"

#include <QWidget>

namespace lectern::platform {

// A window of the window set. Sizes follow the course geometry's convention:
// a framed window's Width and Height include a 3-pixel frame on each side and
// a caption bar, so its client area is Width − 6 by Height − 25. A window
// without a frame is exactly its Width by Height.
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
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // Shows the window modally through the platform's modal runner.
    void ShowModal();
    void Close() { close(); }

    Platform& platform() const { return platform_; }
    // Runs an event handler through the guard.
    bool guarded(const std::function<void()>& handler) const { return guard_.run(handler); }

    // Connects a signal to a handler that runs through the guard.
    template <typename Sender, typename Signal, typename Handler>
    void bind(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler](auto&&...) { guarded(handler); });
    }

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

  private:
    void releaseContent();
    void applyClientSize(int clientWidth, int clientHeight);
    int frameWidth() const;
    int frameHeight() const;

    Platform& platform_;
    HandlerGuard guard_;
    Frame frame_;
    Position position_;
    QWidget* mainForm_;
    bool releasesContent_ = true;
};

}  // namespace lectern::platform
