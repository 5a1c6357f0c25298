#pragma once

namespace lectern::platform {

// Takes what the microphone hears while a voice records: mono frames at the
// engine's rate, handed over on the device thread.
class CaptureSink {
  public:
    // Never blocks or allocates. `mono` null is silence.
    virtual void push(const float* mono, int frames) = 0;

  protected:
    ~CaptureSink() = default;
};

}  // namespace lectern::platform
