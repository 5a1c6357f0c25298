#pragma once

#include "platform/media/AudioEngine.h"
#include "platform/widgets/ReleasedWhenHidden.h"

#include <QObject>
#include <QString>
#include <memory>

namespace lectern::platform {

class RecordingWriter;
class Sound;

// An invisible player holding one sound file at a time; it plays it and
// records into it. Positions are milliseconds from the start of the file.
// Every operation but Open and Close raises EMCIDeviceError
// "No MCI device open" on a player that is not open.
//
// The player is a voice of the engine and lives on the GUI thread; it must
// be destroyed before its engine.
class TMediaPlayer : public QObject, public ReleasedWhenHidden {
    Q_OBJECT
  public:
    explicit TMediaPlayer(AudioEngine& engine, QObject* parent = nullptr);
    ~TMediaPlayer() override;

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& coursePath) { fileName_ = coursePath; }
    bool AutoRewind = true;

    // Closes an open player first; does not start playback. The whole file
    // is decoded into memory here. Raises EMCIDeviceError with the reason
    // when the file cannot be opened.
    void Open();
    // Does nothing on a player that is not open. A recording in progress
    // ends and stays in the file.
    void Close();
    void releaseWhenHidden() override { Close(); }
    bool IsOpen() const { return open_; }

    // From the current position to the end; at the end with AutoRewind, from 0.
    void Play();
    // Playing → paused, paused → playing, anything else untouched.
    void Pause();
    // Stops playing or recording; the position stays where it was heard.
    void Stop();
    // Stops and moves to `ms` (clamped to the sound).
    void Seek(int ms);
    // While recording: the time recorded so far, from where it started.
    int Position() const;
    // The length of the open sound in ms.
    int Length() const;
    // The open sound as decoded, or null when the player is not open.
    std::shared_ptr<const Sound> sound() const { return sound_; }
    // Whether the sound is being heard: false once it has played to its end,
    // and while paused, stopped or recording.
    bool Playing() const;

    // The pace of playback, 1 being the sound's own, with the pitch kept
    // (see AudioEngine::setSpeed); kept across Open and Close. Positions
    // stay times in the sound. Recording is never affected.
    void SetSpeed(double speed);
    double Speed() const { return speed_; }

    // Playing stops by itself at `ms` (clamped to the sound), as the sample
    // clock reaches it: nothing past it is heard. NoStop plays to the end.
    // Kept until changed; Open clears it.
    static constexpr int NoStop = -1;
    void SetStopAt(int ms);
    int StopAt() const { return stopAt_; }
    // Whether playing has stopped at that mark and stays there.
    bool ReachedStop() const;

    // Starts recording into the open file from the current position, in the
    // file's own format; what follows the position is replaced. The file is
    // written as the sound comes and is a valid sound file at every moment.
    void StartRecording();
    // Ends a recording in progress and makes sure FileName holds the sound.
    void Save();

  signals:
    // A recording started with no microphone to hear: it holds silence.
    // Arrives through the event loop, once until a microphone is found.
    void MicrophoneMissing();

  private:
    void requireOpen() const;
    void finishRecording();
    long long toFrames(int ms) const;
    int toMs(long long frames) const;

    AudioEngine& engine_;
    QString fileName_;
    bool open_ = false;
    bool paused_ = false;
    double speed_ = 1;
    int stopAt_ = NoStop;
    QString openPath_;
    std::shared_ptr<const Sound> sound_;
    AudioEngine::Voice* voice_ = nullptr;
    std::unique_ptr<RecordingWriter> recorder_;
};

}  // namespace lectern::platform
