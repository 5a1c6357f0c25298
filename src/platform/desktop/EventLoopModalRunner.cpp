#include "platform/desktop/EventLoopModalRunner.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace lectern::platform {
namespace {

// Ends the nested loop when the window hides, whatever hid it.
class HideWatcher : public QObject {
  public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            loop_.quit();
        return false;
    }

  private:
    QEventLoop& loop_;
};

}  // namespace

void EventLoopModalRunner::showModal(QWidget& window) {
    QPointer<QWidget> guard(&window);
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(loop);
    window.installEventFilter(&watcher);
    window.show();
    if (window.isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(Qt::NonModal);
    }
}

}  // namespace lectern::platform
