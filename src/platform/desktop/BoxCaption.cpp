#include "platform/desktop/BoxCaption.h"

#include "platform/desktop/BoxWidth.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace lectern::platform {
namespace {

constexpr int frameLine = 1;

}  // namespace

bool BoxCaption::drawnByQt() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    // A decorated window tells: Qt counts the bar it draws in the window's
    // frame, a compositor's own decoration is outside it. Popups and tool
    // tips have no decoration at all.
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        const Qt::WindowType type = window->type();
        if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog) &&
            !(window->flags() & Qt::FramelessWindowHint))
            return window->frameMargins().top() > 0;
    }
    // No window to tell yet (a start-up error): Qt's bar is what a Wayland
    // window gets unless the compositor offers its own.
    return true;
}

BoxCaption::BoxCaption(QMessageBox& box)
    : QObject(&box), box_(box), row_(new QWidget(&box)), caption_(new QLabel(box.windowTitle())) {
    box.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    auto* close = new QToolButton;
    close->setIcon(box.style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setAccessibleName(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close"));
    // The default button keeps the focus; Esc does the same as this one.
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QToolButton::clicked, &box, &QWidget::close);
    auto* line = new QHBoxLayout(row_);
    line->setContentsMargins(8, 2, 2, 2);
    line->addWidget(caption_, 1);
    line->addWidget(close);
    row_->setAutoFillBackground(true);
    QPalette shade = row_->palette();
    shade.setColor(QPalette::Window, shade.color(QPalette::Window).darker(110));
    row_->setPalette(shade);
    row_->installEventFilter(this);
    box.installEventFilter(this);

    // The box's own layout keeps its place below the row.
    if (QLayout* layout = box.layout()) {
        QMargins margins = layout->contentsMargins();
        margins.setTop(margins.top() + row_->sizeHint().height());
        layout->setContentsMargins(margins);
    }
    widenBox(box, width());
}

int BoxCaption::width() const {
    return row_->sizeHint().width() + 2 * frameLine;
}

bool BoxCaption::eventFilter(QObject* watched, QEvent* event) {
    if (watched == row_) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && box_.windowHandle()) {
            box_.windowHandle()->startSystemMove();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::Resize) {
        row_->setGeometry(frameLine, frameLine, box_.width() - 2 * frameLine,
                          row_->sizeHint().height());
    } else if (event->type() == QEvent::Paint) {
        // Painted before the box's own (empty) paint event, on its background.
        QPainter painter(&box_);
        painter.setPen(box_.palette().color(QPalette::Dark));
        painter.drawRect(box_.rect().adjusted(0, 0, -frameLine, -frameLine));
    }
    return false;
}

}  // namespace lectern::platform
