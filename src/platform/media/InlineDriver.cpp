#include "platform/media/InlineDriver.h"

#include "platform/media/DeviceKeeper.h"

namespace lectern::platform {

void InlineDriver::poke() {
    keeper_->maintain();
}

void InlineDriver::check() {
    keeper_->maintain();
}

void InlineDriver::stop() {
    keeper_->close();
}

}  // namespace lectern::platform
