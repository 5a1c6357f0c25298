#include "platform/widgets/TForm.h"

#include "platform/ModalRunner.h"
#include "platform/browser/TCppWebBrowser.h"
#include "platform/media/TMediaPlayer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

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
    // Hidden by the program, not minimised by the learner: whoever shows the
    // window again navigates its browsers and opens its players first.
    if (!event->spontaneous() && releasesContent_)
        guarded([this] { releaseContent(); });
    emit closed();
}

void TForm::releaseContent() {
    for (TCppWebBrowser* browser : findChildren<TCppWebBrowser*>())
        browser->Release();
    for (TMediaPlayer* player : findChildren<TMediaPlayer*>())
        player->Close();
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

}  // namespace lectern::platform
