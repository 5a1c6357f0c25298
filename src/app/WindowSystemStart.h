#pragma once

#include <QString>
#include <QtGlobal>

namespace lectern::app {

// Watches the application object's start. When no window system plugin can
// be started (no display, or a Wayland desktop without Qt's Wayland plugin),
// Qt would print a page of text and abort; instead the player says so in one
// line on standard error and ends with `failureStatus`. What Qt and the
// plugin's own libraries say on a start that works, through Qt's messages or
// straight on standard error (the Wayland client library does), is passed
// on when the watch ends.
class WindowSystemStart {
  public:
    explicit WindowSystemStart(int failureStatus);
    // Ends the watch: construct the application object between the two.
    ~WindowSystemStart();
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;

    // The one line told for a failed start, from the first reason Qt gave.
    static QString failureLine(const QString& reason);

  private:
    static void watch(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QtMessageHandler previous_;
};

}  // namespace lectern::app
