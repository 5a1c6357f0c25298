#include "exercises/NarrationSpeed.h"

#include "platform/desktop/UserSettings.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/TForm.h"
#include "platform/widgets/WindowKeys.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace lectern::exercises {

namespace {

int tenthsOf(double speed) {
    return int(
        std::lround(std::clamp(speed, NarrationSpeed::Slowest, NarrationSpeed::Fastest) * 10));
}

}  // namespace

NarrationSpeed::NarrationSpeed(platform::TForm& form, platform::WindowKeys& keys,
                               std::vector<platform::TMediaPlayer*> players)
    : form_(form), players_(std::move(players)) {
    overlay_ = new QLabel(&form);
    overlay_->setObjectName(QStringLiteral("SpeedOverlay"));
    overlay_->setAlignment(Qt::AlignCenter);
    overlay_->setStyleSheet(
        QStringLiteral("QLabel { background: rgba(0, 0, 0, 170); color: white; font-size: 22pt; "
                       "padding: 10px 24px; border-radius: 10px; }"));
    overlay_->setAttribute(Qt::WA_TransparentForMouseEvents);
    overlay_->hide();
    hide_ = new QTimer(&form);
    hide_->setSingleShot(true);
    hide_->setInterval(ShownMs);
    form.bindTimer(hide_, [this] { overlay_->hide(); });

    keys.bind(
        QKeySequence(Qt::Key_BracketLeft), [this] { set(speed() - Step); }, true);
    keys.bind(
        QKeySequence(Qt::Key_BracketRight), [this] { set(speed() + Step); }, true);
    keys.bind(QKeySequence(Qt::Key_Backspace), [this] { set(1.0); });
}

void NarrationSpeed::load(const QString& courseFolder) {
    // The folder's path is hashed: settings keys are not free text.
    key_ = QStringLiteral("narrationSpeed/") +
           QString::fromLatin1(
               QCryptographicHash::hash(courseFolder.toUtf8(), QCryptographicHash::Sha1).toHex());
    const double remembered = platform::userSettings().value(key_, 1.0).toDouble();
    tenths_ = tenthsOf(std::isfinite(remembered) ? remembered : 1.0);
    apply();
}

void NarrationSpeed::set(double speed) {
    tenths_ = tenthsOf(speed);
    apply();
    if (!key_.isEmpty())
        platform::userSettings().setValue(key_, this->speed());
    show();
}

void NarrationSpeed::apply() {
    for (platform::TMediaPlayer* player : players_)
        player->SetSpeed(speed());
}

void NarrationSpeed::show() {
    const QString text = QStringLiteral("Speed %1×").arg(speed(), 0, 'f', 1);
    overlay_->setText(text);
    overlay_->setAccessibleName(text);
    overlay_->adjustSize();
    overlay_->move((form_.width() - overlay_->width()) / 2, form_.height() / 4);
    overlay_->show();
    overlay_->raise();
    hide_->start();
    QAccessibleEvent changed(overlay_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(overlay_, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace lectern::exercises
