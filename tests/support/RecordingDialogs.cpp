#include "support/RecordingDialogs.h"

namespace lectern::test {

void RecordingDialogs::showError(const QString& text) {
    boxes.push_back({Box::Kind::Error, QStringLiteral("Lectern"), text});
}

void RecordingDialogs::showMessage(const QString& text) {
    boxes.push_back({Box::Kind::Message, QStringLiteral("Lectern"), text});
}

void RecordingDialogs::showMessageBox(const QString& caption, const QString& text) {
    boxes.push_back({Box::Kind::Captioned, caption, text});
}

QString RecordingDialogs::askSaveFileName(const platform::SaveDialogOptions& options) {
    saveRequests.push_back(options);
    if (saveAnswers.empty())
        return {};
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QStringList RecordingDialogs::errors() const {
    QStringList result;
    for (const Box& box : boxes)
        if (box.kind == Box::Kind::Error)
            result.append(box.text);
    return result;
}

QStringList RecordingDialogs::texts() const {
    QStringList result;
    for (const Box& box : boxes)
        result.append(box.text);
    return result;
}

}  // namespace lectern::test
