#include "demo/Geometry.h"

namespace lectern::demo {

namespace {

constexpr int kButtonHeight = 54;

void appendBlock(QList<int>& lines, const QRect& r) {
    lines << r.width() << r.height() << r.top() << r.left();
}

}  // namespace

QList<QRect> Geometry::mainButtons() {
    // Right-aligned on the top bar; the course title takes the space on the left.
    constexpr int width = 112, gap = 8, margin = 16;
    constexpr int first = kClientWidth - margin - 5 * width - 4 * gap;
    constexpr int top = (kTopBarHeight - kButtonHeight) / 2;
    QList<QRect> buttons;
    for (int i = 0; i < 5; ++i) {
        buttons << QRect(first + i * (width + gap), top, width, kButtonHeight);
    }
    return buttons;
}

QRect Geometry::viewerButton() {
    constexpr int width = 160, margin = 20;
    return QRect(kClientWidth - margin - width, (kBottomBarHeight - kButtonHeight) / 2, width,
                 kButtonHeight);
}

QList<QRect> Geometry::exerciseButtons() {
    // Play, Pause and Stop on the left; Help and Exit on the right.
    constexpr int width = 116, gap = 8, margin = 20;
    constexpr int top = (kBottomBarHeight - kButtonHeight) / 2;
    const int lefts[] = {margin, margin + width + gap, margin + 2 * (width + gap),
                         kClientWidth - margin - 2 * width - gap, kClientWidth - margin - width};
    QList<QRect> buttons;
    for (int left : lefts) {
        buttons << QRect(left, top, width, kButtonHeight);
    }
    return buttons;
}

QRect Geometry::unitButton() {
    constexpr int width = 180;
    return QRect((kClientWidth - width) / 2, (kBottomBarHeight - kButtonHeight) / 2, width,
                 kButtonHeight);
}

QList<int> Geometry::designLines() {
    QList<int> lines;
    lines << kClientWidth << kWindowHeight << 0;
    lines << kClientWidth << kTopBarHeight << 0;
    lines << kClientWidth << kBottomBarHeight;
    lines << kLeftEdge << kRightEdge;
    for (const QRect& r : mainButtons()) {
        appendBlock(lines, r);
    }
    appendBlock(lines, viewerButton());
    const QList<QRect> exercise = exerciseButtons();
    for (int i = 0; i < 4; ++i) {
        appendBlock(lines, exercise[i]);
    }
    lines << kSplashWidth << kSplashHeight;
    appendBlock(lines, exercise[4]);
    appendBlock(lines, unitButton());
    return lines;
}

}  // namespace lectern::demo
