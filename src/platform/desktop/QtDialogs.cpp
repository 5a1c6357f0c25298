#include "platform/desktop/QtDialogs.h"

#include "platform/ApplicationTitle.h"
#include "platform/desktop/BoxCaption.h"
#include "platform/desktop/BoxWidth.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>
#include <QShortcut>

namespace lectern::platform {
namespace {

// Room beside a caption for a window manager's title bar buttons and
// margins, on both sides of a centred caption.
constexpr int captionMargin = 2 * 80;

// The window a box or dialog opens over, so that window systems that place
// windows themselves put it there: the modal window, else the active one,
// else the one shown (a Wayland compositor need not say which is active).
QWidget* owner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isWindow())
            return window;
    }
    return nullptr;
}

// A window manager's title bar as wide as the box would cut a longer
// caption ("Resu" for "Results").
int captionWidth(const QMessageBox& box) {
    QFont font = box.font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(box.windowTitle()) + captionMargin;
}

void showBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner());
    // A close button only: a minimised box would leave its window locked.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    if (BoxCaption::drawnByQt())
        new BoxCaption(box);
    else
        widenBox(box, captionWidth(box));
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
    QFileDialog dialog(owner());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultExtension);
    dialog.setNameFilter(qtFilter(options.filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace lectern::platform
