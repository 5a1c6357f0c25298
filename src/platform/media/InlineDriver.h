#pragma once

#include "platform/media/EngineDriver.h"

namespace lectern::platform {

// Drives the device keeper on the caller's thread, at every voice call: for
// devices that never wait (a silent or a manual clock).
class InlineDriver final : public EngineDriver {
  public:
    void start(DeviceKeeper& keeper) override { keeper_ = &keeper; }
    void poke() override;
    void check() override;
    void openAside() override {}
    void settle() override {}
    bool shutDown(double) override { return true; }
    void stop() override;

  private:
    DeviceKeeper* keeper_ = nullptr;
};

}  // namespace lectern::platform
