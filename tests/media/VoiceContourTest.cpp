#include "platform/media/VoiceContour.h"

#include <gtest/gtest.h>
#include <cmath>
#include <numbers>
#include <vector>

using lectern::platform::VoiceContour;

namespace {

struct Glide {
    double fromHz;
    double toHz;
    int rate;
};

// A tone gliding exponentially from `fromHz` to `toHz` over `seconds`,
// after `leadSeconds` of silence, at half scale.
std::vector<float> glide(const Glide& g, double seconds, double leadSeconds) {
    std::vector<float> out(std::size_t((seconds + leadSeconds) * g.rate), 0.0f);
    const std::size_t lead = std::size_t(leadSeconds * g.rate);
    const double k = std::log(g.toHz / g.fromHz) / seconds;
    for (std::size_t i = lead; i < out.size(); ++i) {
        const double t = double(i - lead) / g.rate;
        // The phase is the integral of the frequency.
        const double phase = 2 * std::numbers::pi * g.fromHz * (std::exp(k * t) - 1) / k;
        out[i] = float(0.5 * std::sin(phase));
    }
    return out;
}

}  // namespace

TEST(VoiceContour, ThePitchTrackFollowsAGlidingToneWithinFivePercent) {
    const double seconds = 1.0;
    const double lead = 0.4;
    for (const Glide& g : {Glide{110, 220, 48000}, Glide{300, 150, 44100}, Glide{180, 360, 22050},
                           Glide{220, 440, 16000}}) {
        SCOPED_TRACE(testing::Message() << g.fromHz << " to " << g.toHz << " Hz at " << g.rate);
        const std::vector<float> sound = glide(g, seconds, lead);
        const VoiceContour c = VoiceContour::analyse(sound.data(), (long long)sound.size(), g.rate);
        ASSERT_EQ(c.pitchHz.size(), c.levelDb.size());
        ASSERT_GE(c.pitchHz.size(), std::size_t((seconds + lead) / VoiceContour::StepSeconds) - 1);
        // Speech begins where the tone does, within a step.
        EXPECT_NEAR(c.onset * VoiceContour::StepSeconds, lead, VoiceContour::StepSeconds * 1.01);

        int judged = 0;
        for (int i = 0; i < int(c.pitchHz.size()); ++i) {
            const double t = VoiceContour::timeOf(i) - lead;
            // Steps whose window reaches into the silence are left out.
            if (t < 0.05 || t > seconds - 0.05)
                continue;
            const double expected = g.fromHz * std::pow(g.toHz / g.fromHz, t / seconds);
            ASSERT_GT(c.pitchHz[i], 0) << "no pitch at " << t << " s";
            EXPECT_NEAR(c.pitchHz[i], expected, expected * 0.05) << "at " << t << " s";
            ++judged;
        }
        EXPECT_GT(judged, 40);
        // Silence has no pitch and a level far below speech.
        EXPECT_EQ(c.pitchHz[2], 0);
        EXPECT_LT(c.levelDb[2], -60);
        EXPECT_GT(c.levelDb[c.onset + 5], -12);
    }
}
