#pragma once

#include <QObject>
#include <QString>

namespace lectern::platform {

class AudioEngine;

// An invisible player holding one sound file at a time; it plays it and
// records into it. Positions are milliseconds from the start of the file.
// Every operation but Open and Close raises EMCIDeviceError
// "No MCI device open" on a player that is not open.
class TMediaPlayer : public QObject {
    Q_OBJECT
public:
    explicit TMediaPlayer(AudioEngine& engine, QObject* parent = nullptr);
    ~TMediaPlayer() override;

    QString FileName() const { return fileName_; }
    void SetFileName(const QString& coursePath) { fileName_ = coursePath; }
    bool AutoRewind = true;

    // Closes an open player first; does not start playback. Raises
    // EMCIDeviceError with the reason when the file cannot be opened.
    void Open();
    // Does nothing on a player that is not open.
    void Close();
    bool IsOpen() const { return open_; }

    // From the current position to the end; at the end with AutoRewind, from 0.
    void Play();
    // Playing → paused, paused → playing, anything else untouched.
    void Pause();
    void Stop();
    void Seek(int ms);
    int Position() const;

    // Starts recording into the open file; Save writes it into FileName.
    void StartRecording();
    void Save();

private:
    AudioEngine& engine_;
    QString fileName_;
    bool open_ = false;
};

}  // namespace lectern::platform
