#include "platform/media/VoiceContour.h"

#include "platform/media/SpeechActivity.h"

#include <aubio/aubio.h>
#include <samplerate.h>
#include <memory>

namespace lectern::platform {

namespace {

std::vector<float> toAnalysisRate(const float* mono, long long frames, int rate) {
    if (rate == VoiceContour::AnalysisRate)
        return {mono, mono + frames};
    const double ratio = double(VoiceContour::AnalysisRate) / rate;
    std::vector<float> out(std::size_t(double(frames) * ratio) + 16);
    SRC_DATA data{};
    data.data_in = mono;
    data.input_frames = long(frames);
    data.data_out = out.data();
    data.output_frames = long(out.size());
    data.src_ratio = ratio;
    if (src_simple(&data, SRC_SINC_FASTEST, 1) != 0)
        return {};
    out.resize(std::size_t(data.output_frames_gen));
    return out;
}

struct PitchDeleter {
    void operator()(aubio_pitch_t* pitch) const { del_aubio_pitch(pitch); }
};

}  // namespace

VoiceContour VoiceContour::analyse(const float* mono, long long frames, int rate) {
    VoiceContour contour;
    if (frames <= 0 || rate <= 0)
        return contour;
    std::vector<float> sound = toAnalysisRate(mono, frames, rate);
    std::unique_ptr<aubio_pitch_t, PitchDeleter> pitch(
        new_aubio_pitch("yin", Window, Hop, AnalysisRate));
    if (!pitch)
        return contour;
    aubio_pitch_set_unit(pitch.get(), "Hz");
    aubio_pitch_set_silence(pitch.get(), smpl_t(SpeechActivity::SpeechDb));
    const std::size_t steps = sound.size() / Hop;
    contour.pitchHz.reserve(steps);
    contour.levelDb.reserve(steps);
    smpl_t found = 0;
    fvec_t out{1, &found};
    for (std::size_t i = 0; i < steps; ++i) {
        fvec_t hop{uint_t(Hop), sound.data() + i * Hop};
        aubio_pitch_do(pitch.get(), &hop, &out);
        const float level = aubio_db_spl(&hop);
        const bool clear = aubio_pitch_get_confidence(pitch.get()) >= 0.5f;
        contour.pitchHz.push_back(clear && found > 0 ? found : 0.0f);
        contour.levelDb.push_back(level);
        if (contour.onset < 0 && level >= SpeechActivity::SpeechDb)
            contour.onset = int(i);
    }
    return contour;
}

}  // namespace lectern::platform
