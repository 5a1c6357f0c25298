#pragma once

#include <vector>

namespace lectern::platform {

// How a voice moves over time: its pitch (aubio's YIN, in Hz, 0 where no
// clear pitch is heard) and its loudness (dB SPL), one value each per step
// of 20 ms, with the step where speech begins. The sound is brought to
// 16 kHz first, which keeps the pitch range of voices (down to 32 Hz) at a
// ninth of the work at 48 kHz.
struct VoiceContour {
    static constexpr int AnalysisRate = 16000;
    static constexpr int Hop = 320;
    static constexpr int Window = 1024;
    static constexpr double StepSeconds = double(Hop) / AnalysisRate;

    std::vector<float> pitchHz;
    std::vector<float> levelDb;
    // The first step louder than SpeechActivity::SpeechDb, or -1.
    int onset = -1;

    // `mono` holds `frames` frames at `rate`.
    static VoiceContour analyse(const float* mono, long long frames, int rate);
    // The time in the sound that step i describes: the middle of its window.
    static double timeOf(int i) { return ((i + 1) * Hop - Window / 2) / double(AnalysisRate); }
};

}  // namespace lectern::platform
