#pragma once

#include <QString>

namespace lectern::platform {

// What a save dialog is asked to look like.
struct SaveDialogOptions {
    QString defaultExtension;  // without the dot: "htm", "wav"
    QString filter;            // as the course's windows name it: "HTML|*.htm"
};

// The message boxes and file dialogs the windows raise. The program shows
// real ones; tests record them and answer in their place.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // The application's standard error box: the caption is the application's
    // title, the error icon, OK. The text arrives with the full-stop rule applied.
    virtual void showError(const QString& text) = 0;
    // A plain message box with the application's title and OK.
    virtual void showMessage(const QString& text) = 0;
    // A message box with its own caption and OK, owned by no window.
    virtual void showMessageBox(const QString& caption, const QString& text) = 0;
    // The chosen file name, or empty text when the learner cancels.
    virtual QString askSaveFileName(const SaveDialogOptions& options) = 0;
};

// The standard error box's rule: a full stop is appended to a non-empty text
// whose last character sorts after the full stop.
QString withFullStop(const QString& text);

}  // namespace lectern::platform
