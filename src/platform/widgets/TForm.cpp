#include "platform/widgets/TForm.h"

#include "platform/Error.h"
#include "platform/desktop/ModalRunner.h"
#include "platform/widgets/ReleasedWhenHidden.h"
#include "platform/widgets/WindowCaption.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace lectern::platform {

namespace {

// A window is a frame to a screen reader, and one that opens over another a
// dialog; a plain widget would be a "filler", which readers pass over.
QAccessibleInterface* windowFactory(const QString&, QObject* object) {
    auto* form = qobject_cast<TForm*>(object);
    if (!form)
        return nullptr;
    return new QAccessibleWidget(
        form, form->opensOverAnother() ? QAccessible::Dialog : QAccessible::Window);
}

}  // namespace

TForm::TForm(Platform& platform, Frame frame, Position position, QWidget* mainForm)
    : QWidget(nullptr),
      platform_(platform),
      guard_(platform.dialogs),
      frame_(frame),
      position_(position),
      mainForm_(mainForm) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    (void)factoryInstalled;
    Qt::WindowFlags flags = Qt::Window;
    switch (frame) {
        case Frame::FixedDialog:
            // A close button only: such a window is shown modally, and
            // minimised it would leave the windows below it locked.
            flags |= Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                     Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
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

void TForm::SetCaption(const QString& caption) {
    setWindowTitle(WindowCaption::of(caption));
}

int TForm::Width() const {
    return width() + frameWidth();
}
int TForm::Height() const {
    return height() + frameHeight();
}

void TForm::SetWidth(int width) {
    applyClientSize(width - frameWidth(), design_.isValid() ? design_.height() : height());
}
void TForm::SetHeight(int height) {
    applyClientSize(design_.isValid() ? design_.width() : width(), height - frameHeight());
}

QSize TForm::fitClientSize(QSize design, QSize area) {
    return design.boundedTo(area);
}

QRect TForm::availableArea() const {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect();
}

void TForm::applyClientSize(int clientWidth, int clientHeight) {
    const QRect area = availableArea();
    design_ = QSize(std::max(clientWidth, 0), std::max(clientHeight, 0));
    QSize client = design_;
    if (area.isValid())
        client = fitClientSize(design_, QSize(std::max(area.width() - frameWidth(), 0),
                                              std::max(area.height() - frameHeight(), 0)));
    if (frame_ == Frame::Sizeable) {
        resize(client);
    } else {
        setFixedSize(client);
    }
    if (isVisible())
        keepOnScreen();
}

void TForm::keepOnScreen() {
    const QRect area = availableArea();
    if (!area.isValid())
        return;
    const int x =
        std::clamp(pos().x(), area.left(), std::max(area.left(), area.right() + 1 - Width()));
    const int y =
        std::clamp(pos().y(), area.top(), std::max(area.top(), area.bottom() + 1 - Height()));
    if (QPoint(x, y) != pos())
        move(x, y);
}

void TForm::Close() {
    if (showing_) {
        closeAfterShow_ = true;
        return;
    }
    close();
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
    // Hidden by the program, not minimised by the learner: whoever shows the
    // window again navigates its browsers and opens its players first.
    if (!event->spontaneous() && releasesContent_)
        guarded([this] { releaseContent(); });
    emit closed();
}

void TForm::releaseContent() {
    for (QObject* child : findChildren<QObject*>())
        if (auto* held = dynamic_cast<ReleasedWhenHidden*>(child))
            held->releaseWhenHidden();
    // The window's own composition surfaces go with its native window,
    // made again when it shows; not now, as it is still being hidden.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            destroy();
    });
#ifdef __GLIBC__
    // Decoded sounds are tens of megabytes; glibc keeps freed heap memory
    // for reuse unless asked to give it back.
    malloc_trim(0);
#endif
}

void TForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        // The native window is made again at each show (see releaseContent).
        QWidget* owner = this->owner();
        if (owner && owner != this && windowHandle() && owner->windowHandle())
            windowHandle()->setTransientParent(owner->windowHandle());
        showing_ = true;
        guarded([this] { FormShow(); });
        showing_ = false;
        QRect area;
        if (position_ == Position::MainFormCenter && mainForm_ && mainForm_->isVisible())
            area = mainForm_->frameGeometry();
        else if (position_ != Position::Designed && screen())
            area = screen()->availableGeometry();
        if (area.isValid())
            move(area.center() - QPoint(width() / 2, height() / 2));
        keepOnScreen();
        if (closeAfterShow_) {
            // The window system finishes showing after this handler; the
            // close waits for that.
            closeAfterShow_ = false;
            QTimer::singleShot(0, this, [this] { close(); });
        }
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
