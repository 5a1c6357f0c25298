#pragma once

namespace lectern::platform {

// Owns the sound device; media players are its voices.
class AudioEngine {
public:
    virtual ~AudioEngine() = default;
};

}  // namespace lectern::platform
