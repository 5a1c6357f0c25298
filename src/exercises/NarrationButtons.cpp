#include "exercises/NarrationButtons.h"

#include "platform/media/TMediaPlayer.h"

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

}  // namespace lectern::exercises
