#include "platform/widgets/WindowKeys.h"

#include "platform/widgets/TForm.h"
#include "platform/widgets/TImage.h"

#include <QShortcut>
#include <QSlider>

namespace lectern::platform {

void WindowKeys::bind(const QKeySequence& key, std::function<void()> action, bool repeats) {
    auto* shortcut = new QShortcut(key, &form_);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(repeats);
    form_.bind(shortcut, &QShortcut::activated, std::move(action));
}

QString WindowKeys::keyName(const QKeySequence& key) {
    return key.toString(QKeySequence::NativeText);
}

void WindowKeys::describe(TImage* button, const QKeySequence& key) {
    const QString name = keyName(key);
    const QString described = button->accessibleDescription();
    button->setAccessibleDescription(described.isEmpty()
                                         ? QStringLiteral("Key: ") + name
                                         : described + QStringLiteral(" or ") + name);
}

void WindowKeys::press(const QKeySequence& key, TImage* button) {
    describe(button, key);
    bind(key, [button] {
        if (button->isEnabled())
            button->click();
    });
}

void WindowKeys::play(const QKeySequence& key, TImage* whenStopped, TImage* otherwise,
                      std::function<bool()> stopped) {
    describe(whenStopped, key);
    describe(otherwise, key);
    bind(key, [whenStopped, otherwise, stopped = std::move(stopped)] {
        (stopped() ? whenStopped : otherwise)->click();
    });
}

void WindowKeys::step(QSlider* trackBar) {
    const auto by = [trackBar](int steps) {
        return [trackBar, steps] {
            if (trackBar->isEnabled())
                trackBar->setValue(trackBar->value() + steps);
        };
    };
    bind(QKeySequence(Qt::Key_Left), by(-1), true);
    bind(QKeySequence(Qt::Key_Right), by(1), true);
}

}  // namespace lectern::platform
