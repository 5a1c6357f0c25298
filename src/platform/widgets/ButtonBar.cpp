#include "platform/widgets/ButtonBar.h"

#include "platform/widgets/TForm.h"

#include <QFrame>
#include <algorithm>
#include <cmath>

namespace lectern::platform {

void ButtonBar::create(QFrame* bar, std::initializer_list<Design> buttons) {
    const std::size_t first = buttons_.size();
    for (const Design& design : buttons) {
        Button button;
        if (design.resting)
            button.resting = new TImage(bar);
        buttons_.push_back(button);
        designs_.emplace_back();
    }
    for (std::size_t i = first; i < buttons_.size(); ++i) {
        buttons_[i].holder = new TImage(bar);
        buttons_[i].holder->hide();
    }
    std::size_t i = first;
    for (const Design& design : buttons) {
        Button& button = buttons_[i++];
        button.clickable = new TImage(bar);
        button.clickable->SetHint(design.hint);
        button.clickable->MakeClickable();
        QObject::connect(button.clickable, &TImage::clicked, button.holder, &QWidget::hide);
    }
}

void ButtonBar::placeInRow(int width, int height, int top, int left, int step) {
    for (int button = 0; button < count(); ++button)
        place(button, width, height, top, left + button * step);
}

void ButtonBar::place(int button, int width, int height, int top, int left) {
    designs_.at(button) = QRect(left, top, width, height);
    applyPlace(button);
}

void ButtonBar::setScale(double scale) {
    scale_ = scale;
    for (int button = 0; button < count(); ++button)
        applyPlace(button);
}

void ButtonBar::applyPlace(int button) const {
    const QRect& design = designs_.at(button);
    const auto scaled = [this](int designed) { return int(std::lround(designed * scale_)); };
    // Both edges are scaled, so that neighbouring areas still meet.
    const int left = scaled(design.x());
    const int top = scaled(design.y());
    const int width = scaled(design.x() + design.width()) - left;
    const int height = scaled(design.y() + design.height()) - top;
    const Button& images = buttons_.at(button);
    for (TImage* image : {images.resting, images.holder, images.clickable})
        if (image) {
            image->SetBounds(width, height, top, left);
            image->SetPictureScale(scale_);
        }
}

void ButtonBar::onClicks(std::initializer_list<std::function<void()>> handlers) {
    int button = 0;
    for (const std::function<void()>& handler : handlers) {
        if (handler)
            form_.bind(clickable(button), &TImage::clicked, handler);
        ++button;
    }
}

void ButtonBar::lightOnHover(TImage* background) {
    for (int button = 0; button < count(); ++button) {
        TImage* clickable = buttons_[button].clickable;
        form_.bind(clickable, &TImage::mouseMoved, [this, button] { light(button); });
        // Also straight into the page, where no background would put it out.
        form_.bind(clickable, &TImage::mouseLeft, [this, button] { holder(button)->hide(); });
    }
    form_.bind(background, &TImage::mouseMoved, [this] { light(-1); });
}

void ButtonBar::keepLightFrom(int hovered, int kept) {
    kept_.emplace_back(hovered, kept);
}

bool ButtonBar::keeps(int hovered, int other) const {
    return std::find(kept_.begin(), kept_.end(), std::make_pair(hovered, other)) != kept_.end();
}

void ButtonBar::light(int lit) {
    for (int button = 0; button < count(); ++button)
        if (button != lit && !keeps(lit, button))
            buttons_[button].holder->hide();
    if (lit >= 0 && holder(lit)->isHidden())
        holder(lit)->show();
}

}  // namespace lectern::platform
