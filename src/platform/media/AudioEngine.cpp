#include "platform/media/AudioEngine.h"

#include "platform/media/ThreadedDriver.h"
#include "platform/media/Voice.h"

namespace lectern::platform {

AudioEngine::AudioEngine(CourseFiles& files, std::unique_ptr<AudioDevice> device,
                         std::unique_ptr<EngineDriver> driver, Fallback fallback)
    : files_(files),
      mixer_(device->format().sampleRate),
      driver_(std::move(driver)),
      keeper_(mixer_, std::move(device), std::move(fallback)) {
    driver_->start(keeper_);
}

AudioEngine::AudioEngine(CourseFiles& files, Opener open, int sampleRate, Fallback fallback)
    : files_(files),
      mixer_(sampleRate),
      driver_(std::make_unique<ThreadedDriver>()),
      // The engine's thread comes back for a device that came late.
      keeper_(
          mixer_, std::move(open), [this] { driver_->poke(); }, std::move(fallback)) {
    driver_->start(keeper_);
}

AudioEngine::~AudioEngine() {
    driver_->stop();
}

bool AudioEngine::shutDown(double seconds) {
    return driver_->shutDown(seconds);
}

void AudioEngine::openDeviceAside() {
    driver_->openAside();
}

void AudioEngine::settle() {
    driver_->settle();
}

void AudioEngine::checkDevice() {
    driver_->check();
}

QString AudioEngine::deviceName() {
    return keeper_.deviceName();
}

AudioEngine::Voice* AudioEngine::addVoice(std::shared_ptr<const Sound> sound) {
    return mixer_.addVoice(std::move(sound));
}

void AudioEngine::removeVoice(Voice* voice) {
    mixer_.removeVoice(voice);
}

void AudioEngine::replaceSound(Voice* voice, std::shared_ptr<const Sound> sound, long long frame) {
    mixer_.replaceSound(*voice, std::move(sound), frame);
}

void AudioEngine::play(Voice* voice, long long fromFrame) {
    mixer_.play(*voice, fromFrame);
    driver_->poke();
}

void AudioEngine::halt(Voice* voice) {
    driver_->check();
    mixer_.halt(*voice);
}

void AudioEngine::moveTo(Voice* voice, long long frame) {
    mixer_.moveTo(*voice, frame);
}

void AudioEngine::setSpeed(Voice* voice, double speed) {
    driver_->check();
    mixer_.setSpeed(*voice, speed);
}

void AudioEngine::setStopAt(Voice* voice, long long frame) {
    driver_->check();
    mixer_.setStopAt(*voice, frame);
    driver_->poke();
}

double AudioEngine::speed(Voice* voice) {
    return voice->state.speed;
}

long long AudioEngine::position(Voice* voice) {
    driver_->check();
    return mixer_.position(*voice);
}

bool AudioEngine::isPlaying(Voice* voice) {
    position(voice);
    // Only this thread changes the mode.
    return voice->state.mode == VoiceState::Mode::Playing;
}

bool AudioEngine::isRecording(Voice* voice) {
    return voice->state.mode == VoiceState::Mode::Recording;
}

void AudioEngine::startRecording(Voice* voice, CaptureSink* writer, long long frame,
                                 std::function<void()> noMicrophone) {
    mixer_.startRecording(*voice, writer, frame, std::move(noMicrophone));
    driver_->poke();
}

void AudioEngine::stopRecording(Voice* voice) {
    mixer_.stopRecording(*voice);
    driver_->poke();
}

}  // namespace lectern::platform
