#include "exercises/practice/PassagePause.h"

#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/TForm.h"
#include "platform/widgets/WindowKeys.h"

#include <QTimer>
#include <cmath>

namespace lectern::exercises {

PassagePause::PassagePause(platform::TForm& form, platform::WindowKeys& keys,
                           platform::NoticeOverlay& overlay, platform::TMediaPlayer& player,
                           std::function<int()> passageEnd, std::function<void()> goOn)
    : overlay_(overlay), player_(player), passageEnd_(std::move(passageEnd)) {
    repeat_ = new QTimer(&form);
    repeat_->setSingleShot(true);
    form.bindTimer(repeat_, [this, goOn = std::move(goOn)] {
        if (holding_)
            goOn();
    });
    keys.bind(QKeySequence(Qt::Key_P), [this] { set(!on_); });
    keys.bind(QKeySequence(Qt::SHIFT | Qt::Key_P), [this] {
        setWayBack(wayBack_ == WayBack::Wait ? WayBack::RepeatTime : WayBack::Wait);
    });
}

void PassagePause::load(const QString& courseFolder) {
    onSetting_.load(courseFolder);
    waySetting_.load(courseFolder);
    on_ = onSetting_.value(false).toBool();
    wayBack_ = waySetting_.value(0).toInt() == 1 ? WayBack::RepeatTime : WayBack::Wait;
    cancel();
}

void PassagePause::set(bool on) {
    on_ = on;
    onSetting_.store(on_);
    // A sound that plays stops at the end of its passage from now on, or no
    // longer; one that has already stopped there is held by the window.
    if (player_.IsOpen() && player_.Playing())
        player_.SetStopAt(on_ ? passageEnd_() : platform::TMediaPlayer::NoStop);
    if (!on_)
        repeat_->stop();
    show();
}

void PassagePause::setWayBack(WayBack wayBack) {
    wayBack_ = wayBack;
    waySetting_.store(wayBack_ == WayBack::RepeatTime ? 1 : 0);
    show();
}

void PassagePause::show() {
    QString text = QStringLiteral("Pause after each passage: ") +
                   (on_ ? QStringLiteral("on") : QStringLiteral("off"));
    text += wayBack_ == WayBack::Wait ? QStringLiteral(", wait for Space")
                                      : QStringLiteral(", repeat time");
    overlay_.showNotice(text);
}

void PassagePause::play() {
    cancel();
    player_.SetStopAt(on_ ? passageEnd_() : platform::TMediaPlayer::NoStop);
}

bool PassagePause::stoppedAtEnd() const {
    return player_.IsOpen() && player_.ReachedStop();
}

void PassagePause::hold(int passage, int passageMs) {
    holding_ = true;
    held_ = passage;
    if (on_ && wayBack_ == WayBack::RepeatTime) {
        repeat_->setInterval(
            int(std::lround(std::max(passageMs, 0) * RepeatFactor / player_.Speed())));
        repeat_->start();
    }
}

void PassagePause::cancel() {
    holding_ = false;
    repeat_->stop();
}

}  // namespace lectern::exercises
