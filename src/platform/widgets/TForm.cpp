#include "platform/widgets/TForm.h"

#include "platform/Error.h"
#include "platform/ModalRunner.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace lectern::platform {

TForm::TForm(Platform& platform, Frame frame, Position position, QWidget* mainForm)
    : QWidget(nullptr),
      platform_(platform),
      guard_(platform.dialogs),
      frame_(frame),
      position_(position),
      mainForm_(mainForm) {
    Qt::WindowFlags flags = Qt::Window;
    switch (frame) {
        case Frame::FixedDialog:
            flags |= Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            break;
        case Frame::Sizeable:
            break;
        case Frame::None:
            flags |= Qt::FramelessWindowHint;
            break;
    }
    setWindowFlags(flags);
}

int TForm::frameWidth() const {
    return frame_ == Frame::None ? 0 : 6;
}
int TForm::frameHeight() const {
    return frame_ == Frame::None ? 0 : 25;
}

int TForm::Width() const {
    return width() + frameWidth();
}
int TForm::Height() const {
    return height() + frameHeight();
}

void TForm::SetWidth(int width) {
    applyClientSize(width - frameWidth(), height());
}
void TForm::SetHeight(int height) {
    applyClientSize(width(), height - frameHeight());
}

void TForm::applyClientSize(int clientWidth, int clientHeight) {
    clientWidth = std::max(clientWidth, 0);
    clientHeight = std::max(clientHeight, 0);
    if (frame_ == Frame::Sizeable) {
        resize(clientWidth, clientHeight);
    } else {
        setFixedSize(clientWidth, clientHeight);
    }
}

void TForm::ShowModal() {
    platform_.modal.showModal(*this);
}

void TForm::closeEvent(QCloseEvent* event) {
    guarded([this] { FormClose(); });
    event->accept();
}

void TForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit closed();
}

void TForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        guarded([this] { FormShow(); });
        QRect area;
        if (position_ == Position::MainFormCenter && mainForm_ && mainForm_->isVisible())
            area = mainForm_->frameGeometry();
        else if (position_ != Position::Designed && screen())
            area = screen()->availableGeometry();
        if (area.isValid())
            move(area.center() - QPoint(width() / 2, height() / 2));
    }
    QWidget::showEvent(event);
}

void TForm::bindTimer(QTimer* timer, std::function<void()> tick,
                      std::function<void(const Error&)> reportError) {
    connect(timer, &QTimer::timeout, this,
            [this, timer, tick = std::move(tick), reportError = std::move(reportError)] {
                guarded([&] {
                    try {
                        tick();
                    } catch (const Error& error) {
                        timer->stop();
                        if (!reportError)
                            throw;
                        reportError(error);
                    } catch (...) {
                        timer->stop();
                        throw;
                    }
                });
            });
}

}  // namespace lectern::platform
