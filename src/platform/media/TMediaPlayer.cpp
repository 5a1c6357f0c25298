#include "platform/media/TMediaPlayer.h"

#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "platform/media/RecordingWriter.h"
#include "platform/media/Sound.h"

#include <QFileInfo>
#include <QMetaObject>
#include <algorithm>
#include <cmath>

namespace lectern::platform {

TMediaPlayer::TMediaPlayer(AudioEngine& engine, QObject* parent)
    : QObject(parent), engine_(engine) {}

TMediaPlayer::~TMediaPlayer() {
    try {
        Close();
    } catch (const Error&) {
        // A recording that cannot be finished is all a destructor could report.
    }
}

void TMediaPlayer::requireOpen() const {
    if (!open_)
        throw EMCIDeviceError(QStringLiteral("No MCI device open"));
}

long long TMediaPlayer::toFrames(int ms) const {
    return (long long)ms * sound_->format.sampleRate / 1000;
}

int TMediaPlayer::toMs(long long frames) const {
    return int(std::llround(double(frames) * 1000 / sound_->format.sampleRate));
}

void TMediaPlayer::Open() {
    Close();
    const QString path = engine_.files().resolve(fileName_);
    auto sound =
        Sound::load(path, CourseFiles::nativePath(fileName_), engine_.files().courseFolder());
    voice_ = engine_.addVoice(sound);
    engine_.setSpeed(voice_, speed_);
    stopAt_ = NoStop;
    sound_ = std::move(sound);
    openPath_ = path;
    open_ = true;
    paused_ = false;
}

void TMediaPlayer::Close() {
    if (!open_)
        return;
    open_ = false;
    struct Release {
        TMediaPlayer& player;
        ~Release() {
            player.engine_.removeVoice(player.voice_);
            player.voice_ = nullptr;
            player.sound_.reset();
            player.recorder_.reset();
        }
    } release{*this};
    finishRecording();
}

void TMediaPlayer::Play() {
    requireOpen();
    finishRecording();
    paused_ = false;
    if (engine_.isPlaying(voice_))
        return;
    long long from = engine_.position(voice_);
    if (AutoRewind && from >= sound_->frames())
        from = 0;
    engine_.play(voice_, from);
}

void TMediaPlayer::Pause() {
    requireOpen();
    if (paused_) {
        paused_ = false;
        engine_.play(voice_, engine_.position(voice_));
    } else if (engine_.isPlaying(voice_)) {
        engine_.halt(voice_);
        paused_ = true;
    }
}

void TMediaPlayer::Stop() {
    requireOpen();
    paused_ = false;
    if (recorder_)
        finishRecording();
    else
        engine_.halt(voice_);
}

void TMediaPlayer::Seek(int ms) {
    requireOpen();
    finishRecording();
    paused_ = false;
    engine_.moveTo(voice_, toFrames(std::max(ms, 0)));
}

void TMediaPlayer::SetSpeed(double speed) {
    speed_ = std::clamp(speed, AudioEngine::minSpeed, AudioEngine::maxSpeed);
    if (open_)
        engine_.setSpeed(voice_, speed_);
}

void TMediaPlayer::SetStopAt(int ms) {
    requireOpen();
    stopAt_ = ms < 0 ? NoStop : std::min(ms, Length());
    engine_.setStopAt(voice_, ms < 0 ? AudioEngine::noStop : toFrames(stopAt_));
}

bool TMediaPlayer::ReachedStop() const {
    requireOpen();
    return stopAt_ != NoStop && !recorder_ && !engine_.isPlaying(voice_) &&
           engine_.position(voice_) >= toFrames(stopAt_);
}

int TMediaPlayer::Position() const {
    requireOpen();
    return toMs(engine_.position(voice_));
}

bool TMediaPlayer::Playing() const {
    requireOpen();
    return engine_.isPlaying(voice_);
}

int TMediaPlayer::Length() const {
    requireOpen();
    return toMs(sound_->frames());
}

void TMediaPlayer::StartRecording() {
    requireOpen();
    if (recorder_)
        return;
    paused_ = false;
    engine_.halt(voice_);
    const long long from = std::min(engine_.position(voice_), sound_->frames());
    recorder_ = std::make_unique<RecordingWriter>(
        engine_.files().openToRecord(fileName_), CourseFiles::nativePath(fileName_), sound_->format,
        sound_->samples.data(), from, engine_.sampleRate());
    // Posted, never emitted on the engine's thread or under its lock; an
    // event for a player destroyed meanwhile is dropped.
    engine_.startRecording(voice_, recorder_.get(), from, [this] {
        QMetaObject::invokeMethod(this, &TMediaPlayer::MicrophoneMissing, Qt::QueuedConnection);
    });
}

void TMediaPlayer::finishRecording() {
    if (!recorder_)
        return;
    engine_.stopRecording(voice_);
    const long long end = engine_.position(voice_);
    std::unique_ptr<RecordingWriter> recorder = std::move(recorder_);
    recorder->finish();
    // After a write error (a full disk) the file keeps what was written. The
    // player takes the file as it is and stands at its start, so that its
    // sound and its position agree and a new recording starts afresh.
    const bool failed = !recorder->error().isEmpty();
    std::shared_ptr<const Sound> sound;
    try {
        sound = Sound::load(openPath_, CourseFiles::nativePath(fileName_),
                            engine_.files().courseFolder());
    } catch (const Error&) {
        if (!failed)
            throw;
        auto empty = std::make_shared<Sound>();
        empty->format = sound_->format;
        sound = std::move(empty);
    }
    engine_.replaceSound(voice_, sound, failed ? 0 : end);
    stopAt_ = NoStop;
    sound_ = std::move(sound);
    if (failed)
        throw EMCIDeviceError(recorder->error());
}

void TMediaPlayer::Save() {
    requireOpen();
    finishRecording();
    const QString target = engine_.files().resolve(fileName_);
    if (QFileInfo(target).absoluteFilePath() != QFileInfo(openPath_).absoluteFilePath())
        Sound::write(target, CourseFiles::nativePath(fileName_), sound_->format,
                     sound_->samples.data(), sound_->frames());
}

}  // namespace lectern::platform
