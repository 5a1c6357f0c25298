#include "exercises/NarrationSpeed.h"

#include "platform/desktop/UserSettings.h"
#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/TForm.h"
#include "platform/widgets/WindowKeys.h"

#include <QCryptographicHash>
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
    : players_(std::move(players)) {
    overlay_ = new platform::NoticeOverlay(form, QStringLiteral("SpeedOverlay"));

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
    overlay_->showNotice(QStringLiteral("Speed %1×").arg(this->speed(), 0, 'f', 1));
}

void NarrationSpeed::apply() {
    for (platform::TMediaPlayer* player : players_)
        player->SetSpeed(speed());
}

}  // namespace lectern::exercises
