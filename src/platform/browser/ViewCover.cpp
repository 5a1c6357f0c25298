#include "platform/browser/ViewCover.h"

#include "platform/widgets/EventFilter.h"

#include <QEvent>
#include <QWidget>
#include <cmath>

namespace lectern::platform {

namespace {

void cover(const QWidget& host, QWidget& view) {
    view.setGeometry(0, 0, host.width() + viewOverhang(host.devicePixelRatioF()), host.height());
}

}  // namespace

int viewOverhang(double devicePixelRatio) {
    return devicePixelRatio == std::floor(devicePixelRatio) ? 0
                                                            : int(std::ceil(2 / devicePixelRatio));
}

void keepViewCoveringHost(QWidget& host, QWidget& view) {
    // Every widget of a window hears of the window's move to another screen
    // (Qt 6.4 tells no change of the ratio itself).
    EventFilter::install(&host, &view, [&host, &view](QObject*, QEvent* event) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::ScreenChangeInternal)
            cover(host, view);
        return false;
    });
    cover(host, view);
}

}  // namespace lectern::platform
