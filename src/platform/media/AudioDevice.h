#pragma once

#include <QString>

namespace lectern::platform {

// The sound device as the audio engine sees it: a clock and a stream of
// buffers. Once started, the device calls its renderer for every buffer on a
// thread of its own (or, for a manual clock, on the thread that advances it).
class AudioDevice {
  public:
    struct Format {
        int sampleRate = 48000;
        int outputChannels = 2;
        int inputChannels = 1;
    };

    class Renderer {
      public:
        // Fills `out` (frames × outputChannels, interleaved) and takes the
        // captured `in` (frames × inputChannels; null when the device has no
        // input, which counts as silence). `playTime` is the device clock
        // time at which the first frame of `out` reaches the listener.
        // Never blocks on I/O; may be called with any frame count.
        virtual void render(float* out, const float* in, int frames, double playTime) = 0;

      protected:
        ~Renderer() = default;
    };

    virtual ~AudioDevice() = default;

    virtual Format format() const = 0;
    // Starts calling `renderer`; false when the device refuses to run.
    virtual bool start(Renderer& renderer) = 0;
    // After it returns, the renderer is not called any more.
    virtual void stop() = 0;
    // The device clock in seconds; callable from any thread.
    virtual double now() const = 0;
    // True once the device has stopped delivering buffers on its own
    // (unplugged, sound server gone); the engine then moves to a silent clock.
    virtual bool failed() const { return false; }
    virtual QString name() const = 0;
};

}  // namespace lectern::platform
