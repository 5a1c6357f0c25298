#include "platform/QtDialogs.h"

#include "platform/ApplicationTitle.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QShortcut>

namespace lectern::platform {
namespace {

void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    // Ctrl+C copies the box's text, so that a learner can pass it on.
    QShortcut copy(QKeySequence::Copy, &box);
    QObject::connect(&copy, &QShortcut::activated, &box,
                     [&] { QGuiApplication::clipboard()->setText(caption + "\n\n" + text); });
    box.exec();
}

// "HTML|*.htm" becomes "HTML (*.htm)".
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.append(
            QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' ')));
    return filters.join(QLatin1String(";;"));
}

}  // namespace

void QtDialogs::showError(const QString& text) {
    showBox(QMessageBox::Critical, applicationTitle(), text);
}

void QtDialogs::showMessage(const QString& text) {
    showBox(QMessageBox::NoIcon, applicationTitle(), text);
}

void QtDialogs::showMessageBox(const QString& caption, const QString& text) {
    showBox(QMessageBox::NoIcon, caption, text);
}

QString QtDialogs::askSaveFileName(const SaveDialogOptions& options) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    dialog.setNameFilter(qtFilter(options.filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace lectern::platform
