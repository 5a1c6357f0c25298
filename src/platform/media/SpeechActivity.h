#pragma once

#include <cstddef>
#include <vector>

namespace lectern::platform {

// Tells speech from silence in what a microphone hears, in blocks of 20 ms
// judged by their sound pressure level (aubio), so that a take can end by
// itself once the learner has spoken and gone quiet. Counted in frames, so
// it follows the sound's own clock, never the wall's.
class SpeechActivity {
  public:
    static constexpr double BlockSeconds = 0.02;
    // A block louder than this (dB SPL, full scale at 0) is speech.
    static constexpr double SpeechDb = -45;

    explicit SpeechActivity(int rate);

    void feed(const float* mono, std::size_t frames);

    bool heardSpeech() const { return onset_ >= 0; }
    // The frame at which the first block of speech began, or -1.
    long long onset() const { return onset_; }
    // Frames of silence since the last block of speech (0 before any).
    long long silenceAfterSpeech() const { return heardSpeech() ? frames_ - lastSpeechEnd_ : 0; }
    // The last block's level in dB SPL (-inf for digital silence).
    double levelDb() const { return levelDb_; }
    long long frames() const { return frames_; }

  private:
    void judge();

    std::vector<float> block_;
    std::size_t filled_ = 0;
    long long frames_ = 0;
    long long onset_ = -1;
    long long lastSpeechEnd_ = 0;
    double levelDb_ = -1000;
};

}  // namespace lectern::platform
