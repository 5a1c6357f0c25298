#include "exercises/NarrationButtons.h"

#include "platform/media/TMediaPlayer.h"
#include "platform/widgets/SkinnedForm.h"
#include "platform/widgets/WindowKeys.h"

namespace lectern::exercises {

bool NarrationButtons::hold() const {
    if (!tick->isActive())
        return false;
    player->Pause();
    tick->stop();
    return true;
}

void NarrationButtons::release() const {
    player->Pause();  // a paused player goes on where it stood
    tick->start();
}

void NarrationButtons::bindKeys(platform::WindowKeys& keys, platform::SkinnedForm& window,
                                QSlider* trackBar) const {
    keys.play(Qt::Key_Space, window.m11(), window.m22(),
              [sound = *this] { return sound.stopped(); });
    keys.press(Qt::Key_F1, window.m44());
    keys.press(Qt::Key_Escape, window.m55());
    keys.step(trackBar);
}

}  // namespace lectern::exercises
