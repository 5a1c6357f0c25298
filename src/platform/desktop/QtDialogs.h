#pragma once

#include "platform/desktop/Dialogs.h"

namespace lectern::platform {

// Real message boxes: QMessageBox lets the learner copy the text with Ctrl+C.
class QtDialogs : public Dialogs {
  public:
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    void showMessageBox(const QString& caption, const QString& text) override;
    QString askSaveFileName(const SaveDialogOptions& options) override;
};

}  // namespace lectern::platform
