#include "exercises/practice/TextZoom.h"

#include "platform/browser/TCppWebBrowser.h"
#include "platform/widgets/NoticeOverlay.h"
#include "platform/widgets/WindowKeys.h"

#include <algorithm>

namespace lectern::exercises {

TextZoom::TextZoom(platform::WindowKeys& keys, platform::NoticeOverlay& overlay,
                   std::vector<platform::TCppWebBrowser*> browsers)
    : overlay_(overlay), browsers_(std::move(browsers)) {
    const auto larger = [this] { set(percent_ + Step); };
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Plus), larger, true);
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), larger, true);
    keys.bind(
        QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { set(percent_ - Step); }, true);
    keys.bind(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { set(100); });
    all().push_back(this);
}

TextZoom::~TextZoom() {
    std::erase(all(), this);
}

std::vector<TextZoom*>& TextZoom::all() {
    static std::vector<TextZoom*> zooms;
    return zooms;
}

void TextZoom::load(const QString& courseFolder) {
    setting_.load(courseFolder);
    percent_ = std::clamp(setting_.value(100).toInt(), Smallest, Largest);
    apply();
}

void TextZoom::set(int percent) {
    percent_ = std::clamp(percent, Smallest, Largest);
    setting_.store(percent_);
    for (TextZoom* zoom : all()) {
        if (zoom->setting_.key() == setting_.key()) {
            zoom->percent_ = percent_;
            zoom->apply();
        }
    }
    overlay_.showNotice(QStringLiteral("Text %1 %").arg(percent_));
}

void TextZoom::apply() {
    for (platform::TCppWebBrowser* browser : browsers_)
        browser->SetZoom(percent_ / 100.0);
}

}  // namespace lectern::exercises
