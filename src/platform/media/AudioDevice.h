#pragma once

#include <QString>

namespace lectern::platform {

// A sound device as the audio engine sees it: a clock, a playback stream and
// a capture stream, each started only while the engine needs it. A started
// stream calls its renderer for every buffer on a thread of its own (or, for
// a manual clock, on the thread that advances it).
class AudioDevice {
  public:
    struct Format {
        int sampleRate = 48000;
        int outputChannels = 2;
        int inputChannels = 1;
    };

    class Renderer {
      public:
        // Fills `out` (frames × channels, interleaved). `playTime` is the
        // device clock time at which the first frame reaches the listener.
        // Never blocks on I/O; may be called with any frame count.
        virtual void render(float* out, int frames, int channels, double playTime) = 0;
        // Takes what the microphone heard (frames × channels; null is
        // silence). `captureTime` is the device clock time at which the
        // first frame was heard.
        virtual void capture(const float* in, int frames, int channels, double captureTime) = 0;

      protected:
        ~Renderer() = default;
    };

    virtual ~AudioDevice() = default;

    // Streams run at format().sampleRate.
    virtual Format format() const = 0;
    // Start and stop may wait for a sound server, so the engine calls them
    // from a thread of its own unless given an InlineDriver (immediate). Start
    // returns false when the stream does not run; after stop returns, the
    // renderer is not called any more for that stream.
    virtual bool startOutput(Renderer& renderer) = 0;
    virtual void stopOutput() = 0;
    virtual bool startInput(Renderer& renderer) = 0;
    virtual void stopInput() = 0;
    // Gives up the streams without waiting for them (their server is gone):
    // they never call the renderer again, and the device must not be
    // destroyed while a stream could still be inside a call.
    virtual void abandon() {
        stopOutput();
        stopInput();
    }

    // The device clock in seconds. Lock-free and callable from any thread;
    // never calls into the sound system.
    virtual double now() const = 0;
    // True once a started stream has stopped delivering buffers on its own
    // (unplugged, sound server gone). Lock-free.
    virtual bool failed() const { return false; }
    // True when starting and stopping never wait (no sound server behind).
    virtual bool immediate() const { return false; }
    // True when now() runs on the system's monotonic clock in real time, so
    // times of different devices can be compared.
    virtual bool realTime() const { return true; }
    virtual QString name() const = 0;
};

}  // namespace lectern::platform
