#include "platform/media/TMediaPlayer.h"

#include "platform/Error.h"

// Placeholder until the audio engine lands: opens nothing, plays nothing.
namespace lectern::platform {

TMediaPlayer::TMediaPlayer(AudioEngine& engine, QObject* parent) : QObject(parent), engine_(engine) {}
TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::Open() {
    Close();
    open_ = true;
}
void TMediaPlayer::Close() { open_ = false; }

namespace {
void requireOpen(bool open) {
    if (!open)
        throw EMCIDeviceError(QStringLiteral("No MCI device open"));
}
}  // namespace

void TMediaPlayer::Play() { requireOpen(open_); }
void TMediaPlayer::Pause() { requireOpen(open_); }
void TMediaPlayer::Stop() { requireOpen(open_); }
void TMediaPlayer::Seek(int) { requireOpen(open_); }
int TMediaPlayer::Position() const {
    requireOpen(open_);
    return 0;
}
void TMediaPlayer::StartRecording() { requireOpen(open_); }
void TMediaPlayer::Save() { requireOpen(open_); }

}  // namespace lectern::platform
