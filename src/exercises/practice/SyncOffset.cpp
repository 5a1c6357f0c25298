#include "exercises/practice/SyncOffset.h"

#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/WindowKeys.h"

#include <algorithm>

namespace lectern::exercises {

namespace {

int within(int ms) {
    return std::clamp(ms, -SyncOffset::Largest, SyncOffset::Largest);
}

}  // namespace

SyncOffset::SyncOffset(platform::WindowKeys& keys, platform::NoticeOverlay& overlay)
    : overlay_(overlay) {
    keys.bind(
        QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), [this] { set(ms_ - Step); }, true);
    keys.bind(
        QKeySequence(Qt::CTRL | Qt::Key_BracketRight), [this] { set(ms_ + Step); }, true);
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Backspace), [this] { set(0); });
}

void SyncOffset::load(const QString& courseFolder) {
    setting_.load(courseFolder);
    ms_ = within(setting_.value(0).toInt());
}

void SyncOffset::set(int ms) {
    ms_ = within(ms);
    setting_.store(ms_);
    overlay_.showNotice(QStringLiteral("Sync %1%2 ms").arg(ms_ > 0 ? "+" : "").arg(ms_));
}

}  // namespace lectern::exercises
