#pragma once

#include "platform/desktop/Dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace lectern::test {

// Records every box the windows raise instead of showing it, and answers
// save dialogs from a queue of prepared names.
class RecordingDialogs : public platform::Dialogs {
  public:
    struct Box {
        enum class Kind { Error, Message, Captioned } kind;
        QString caption;
        QString text;
    };

    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    void showMessageBox(const QString& caption, const QString& text) override;
    QString askSaveFileName(const platform::SaveDialogOptions& options) override;

    // The next save dialog returns this name (empty: the learner cancels).
    void setNextSaveFileName(const QString& name) { saveAnswers.push_back(name); }

    QStringList errors() const;
    QStringList texts() const;
    void clear() { boxes.clear(); }

    std::vector<Box> boxes;
    std::deque<QString> saveAnswers;
    std::vector<platform::SaveDialogOptions> saveRequests;
};

}  // namespace lectern::test
