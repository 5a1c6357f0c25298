#include "MediaTestEngine.h"
#include "support/WavFiles.h"

#include "platform/Error.h"
#include "platform/media/Sound.h"
#include "platform/media/TMediaPlayer.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <QFile>
#include <functional>
#include <tuple>

using lectern::platform::EMCIDeviceError;
using lectern::platform::TMediaPlayer;
using namespace lectern::test;

namespace {

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EMCIDeviceError& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

class MediaPlayer : public ::testing::Test {
  protected:
    MediaTestEngine media;

    std::unique_ptr<TMediaPlayer> openTone(const QString& name, int ms, int rate = 22050,
                                           int channels = 1,
                                           int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
        writeTone(media.realPath(name), format, rate, channels, ms);
        auto player = std::make_unique<TMediaPlayer>(*media.engine);
        player->SetFileName(media.coursePath(name));
        player->Open();
        return player;
    }
};

TEST_F(MediaPlayer, PositionFollowsTheDeviceClockThroughEveryCommand) {
    auto player = openTone("tone.wav", 5000);
    EXPECT_EQ(player->Length(), 5000);
    using Command = std::function<void(TMediaPlayer&)>;
    const Command none = [](TMediaPlayer&) {};
    const Command play = [](TMediaPlayer& p) { p.Play(); };
    const Command pause = [](TMediaPlayer& p) { p.Pause(); };
    const Command stop = [](TMediaPlayer& p) { p.Stop(); };
    const auto seek = [](int ms) { return Command([ms](TMediaPlayer& p) { p.Seek(ms); }); };
    // One command a row, then the device clock runs on by `advanceMs`.
    const struct {
        const char* what;
        Command command;
        int advanceMs;
        int position;
    } steps[] = {
        {"opening does not play", none, 700, 0},
        {"playing", play, 1000, 1000},
        {"paused", pause, 500, 1000},
        {"resumed", pause, 500, 1500},
        {"seek stops", seek(3000), 300, 3000},
        {"pausing a stopped player leaves it alone", pause, 300, 3000},
        {"playing from the seek", play, 250, 3250},
        {"stop keeps the position", stop, 400, 3250},
        {"plays to the end and stays there", play, 4000, 5000},
        {"auto-rewind at the end", play, 100, 100},
        {"a seek past the end stops at the end", seek(99999), 0, 5000},
        {"without auto-rewind the end stays",
         [](TMediaPlayer& p) {
             p.AutoRewind = false;
             p.Play();
         },
         100, 5000},
        {"a seek before the start stops at the start", seek(-20), 0, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.command(*player);
        media.clock()->advance(step.advanceMs);
        EXPECT_EQ(player->Position(), step.position);
    }

    player->Close();
    EXPECT_FALSE(player->IsOpen());
    player->Close();
}

TEST_F(MediaPlayer, PlayWhilePlayingKeepsGoingAndOpenClosesFirst) {
    auto player = openTone("tone.wav", 2000);
    player->Play();
    media.clock()->advance(400);
    player->Play();
    media.clock()->advance(100);
    EXPECT_EQ(player->Position(), 500);

    writeTone(media.realPath("other.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, 1000);
    player->SetFileName(media.coursePath("other.wav"));
    player->Open();
    EXPECT_EQ(player->Position(), 0);
    EXPECT_EQ(player->Length(), 1000);
    media.clock()->advance(300);
    EXPECT_EQ(player->Position(), 0) << "reopening does not play";
}

TEST_F(MediaPlayer, EveryOperationOnAClosedPlayerRaisesNoMciDeviceOpen) {
    TMediaPlayer player(*media.engine);
    const QString expected = QStringLiteral("No MCI device open");
    EXPECT_EQ(errorOf([&] { player.Play(); }), expected);
    EXPECT_EQ(errorOf([&] { player.Pause(); }), expected);
    EXPECT_EQ(errorOf([&] { player.Stop(); }), expected);
    EXPECT_EQ(errorOf([&] { player.Seek(10); }), expected);
    EXPECT_EQ(errorOf([&] { player.Position(); }), expected);
    EXPECT_EQ(errorOf([&] { player.StartRecording(); }), expected);
    EXPECT_EQ(errorOf([&] { player.Save(); }), expected);
    player.Close();

    auto opened = openTone("tone.wav", 500);
    opened->Close();
    EXPECT_EQ(errorOf([&] { opened->Position(); }), expected);
}

TEST_F(MediaPlayer, FilesThatAreNoSoundGiveAClearErrorAndLeaveThePlayerClosed) {
    const auto tryOpen = [&](const QString& name) {
        TMediaPlayer player(*media.engine);
        player.SetFileName(media.coursePath(name));
        const QString error = errorOf([&] { player.Open(); });
        EXPECT_FALSE(player.IsOpen()) << name.toStdString();
        return error;
    };
    const QString shown = media.dir.path() + QStringLiteral("/");

    EXPECT_EQ(
        tryOpen("missing.wav"),
        QStringLiteral("Cannot open sound file %1missing.wav: the file does not exist").arg(shown));
    media.dir.write("empty.wav", {});
    EXPECT_EQ(tryOpen("empty.wav"),
              QStringLiteral("Cannot open sound file %1empty.wav: the file is empty").arg(shown));
    media.dir.write("text.wav",
                    QByteArray("This is not a sound at all, just some words.\n").repeated(20));
    EXPECT_TRUE(tryOpen("text.wav")
                    .startsWith(QStringLiteral("Cannot open sound file %1text.wav: ").arg(shown)));
    media.dir.write("riff.wav",
                    QByteArray("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0", 20) + QByteArray(30, '\x7f'));
    EXPECT_TRUE(tryOpen("riff.wav")
                    .startsWith(QStringLiteral("Cannot open sound file %1riff.wav: ").arg(shown)));
    EXPECT_EQ(tryOpen(""), QStringLiteral("Cannot open sound file %1: it is a folder").arg(shown));

    // A player that was open is closed by the failed open.
    auto player = openTone("tone.wav", 500);
    player->SetFileName(media.coursePath("missing.wav"));
    EXPECT_THROW(player->Open(), EMCIDeviceError);
    EXPECT_FALSE(player->IsOpen());
}

TEST_F(MediaPlayer, TruncatedSoundsPlayWhatTheyHold) {
    writeTone(media.realPath("full.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 1000);
    QFile full(media.realPath("full.wav"));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    const QByteArray bytes = full.readAll();
    // Half the data is gone but the header still claims all of it.
    media.dir.write("cut.wav", bytes.left(44 + 8000));
    // The header claims a data chunk far larger than any file.
    QByteArray lying = bytes;
    lying.replace(40, 4, QByteArray("\xff\xff\xff\x7f", 4));
    media.dir.write("lying.wav", lying);

    for (const auto& [name, ms] : {std::pair{"cut.wav", 500}, std::pair{"lying.wav", 1000}}) {
        TMediaPlayer player(*media.engine);
        player.SetFileName(media.coursePath(name));
        player.Open();
        EXPECT_EQ(player.Length(), ms) << name;
        player.Play();
        media.clock()->advance(2000);
        EXPECT_EQ(player.Position(), ms) << name;
    }
}

TEST_F(MediaPlayer, EveryWavEncodingPlaysToItsEndAtAnyRate) {
    struct Case {
        int format;
        int rate;
        int channels;
    };
    const Case cases[] = {
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 11025, 2},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_24, 44100, 1},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_32, 48000, 2},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 96000, 1},
        {SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM, 22050, 1},
        {SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM, 16000, 2},
        {SF_FORMAT_WAV | SF_FORMAT_GSM610, 8000, 1},
        {SF_FORMAT_WAV | SF_FORMAT_ULAW, 8000, 1},
        {SF_FORMAT_WAV | SF_FORMAT_ALAW, 32000, 1},
    };
    media.clock()->keepOutput = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.format << std::dec << " at " << c.rate);
        auto player = openTone("tone.wav", 1000, c.rate, c.channels, c.format);
        const int length = player->Length();
        EXPECT_NEAR(length, 1000, 50) << "block codecs pad their last block";
        media.clock()->output.clear();
        player->Play();
        media.clock()->advance(length / 2.0);
        EXPECT_NEAR(player->Position(), length / 2, 1);
        float peak = 0;
        for (float v : media.clock()->output)
            peak = std::max(peak, std::abs(v));
        EXPECT_NEAR(peak, 0.5, 0.08) << "the tone is heard at its level";
        media.clock()->advance(length);
        EXPECT_EQ(player->Position(), length);
    }
}

TEST_F(MediaPlayer, AtTheDeviceRateTheSamplesReachTheOutputUnchanged) {
    writeTone(media.realPath("stereo.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, 100);
    const WavInfo wav = readWav(media.realPath("stereo.wav"));
    TMediaPlayer player(*media.engine);
    player.SetFileName(media.coursePath("stereo.wav"));
    player.Open();
    media.clock()->keepOutput = true;
    player.Play();
    media.clock()->advance(200);
    const auto& out = media.clock()->output;
    ASSERT_EQ(out.size(), std::size_t(2 * 9600));
    EXPECT_TRUE(std::equal(wav.samples.begin(), wav.samples.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 9600, out.end(), [](float v) { return v == 0; }));
}

TEST_F(MediaPlayer, TwoPlayersPlayAtOnceAndAreMixed) {
    auto first = openTone("a.wav", 1000, 48000, 1);
    auto second = openTone("b.wav", 2000, 48000, 1);
    media.clock()->keepOutput = true;
    first->Play();
    media.clock()->advance(500);
    second->Play();
    media.clock()->advance(250);
    EXPECT_EQ(first->Position(), 750);
    EXPECT_EQ(second->Position(), 250);
    // Both voices carry the same tone: where both play, the output doubles.
    const auto& out = media.clock()->output;
    // 500 ms hold 220 whole periods of 440 Hz, so frame 17 of the second
    // voice meets frame 24017 of the first in the same phase.
    const std::size_t aloneAt = 2 * 17, bothAt = 2 * (24000 + 17);
    EXPECT_GT(std::abs(out[aloneAt]), 0.3);
    EXPECT_NEAR(out[bothAt], 2 * out[aloneAt], 1e-4);
    EXPECT_EQ(out[bothAt], out[bothAt + 1]) << "mono reaches both channels";
    first->Pause();
    media.clock()->advance(250);
    EXPECT_EQ(first->Position(), 750);
    EXPECT_EQ(second->Position(), 500);
}

TEST_F(MediaPlayer, ALostDeviceGivesWayToTheFallbackKeepingThePosition) {
    auto player = openTone("tone.wav", 5000);
    player->Play();
    media.clock()->advance(1200);
    media.clock()->fail();
    EXPECT_EQ(player->Position(), 1200);
    media.clock()->advance(300);
    EXPECT_EQ(player->Position(), 1500) << "the fallback clock runs on";
}

// A 1 kHz tone keeps its pitch at every speed while the position runs in
// the sound's own time, through to the end of the sound.
TEST_F(MediaPlayer, SpeedChangesThePaceAndKeepsThePitch) {
    writeTone(media.realPath("khz.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 1, 4000, 1000);
    TMediaPlayer player(*media.engine);
    player.SetFileName(media.coursePath("khz.wav"));
    player.Open();
    ManualClock& clock = *media.clock();
    clock.keepOutput = true;
    for (const double speed : {0.5, 0.7, 1.0, 1.3, 2.0}) {
        SCOPED_TRACE(speed);
        player.SetSpeed(speed);
        player.Seek(0);
        player.Play();
        clock.output.clear();
        clock.advance(1500);
        EXPECT_EQ(player.Position(), std::lround(1500 * speed));
        EXPECT_NEAR(toneFrequency(clock.output, 2, 48000), 1000, 30);
        clock.output.clear();
        clock.advance(4000 / speed);
        EXPECT_EQ(player.Position(), 4000) << "the whole sound plays";
        EXPECT_FALSE(player.Playing());
        std::size_t lastSounding = 0;
        for (std::size_t i = 0; i < clock.output.size(); i += 2)
            if (std::abs(clock.output[i]) > 0.05f)
                lastSounding = i / 2;
        EXPECT_NEAR(double(lastSounding) / 48, (4000 - 1500 * speed) / speed, 100)
            << "and is heard to its end";
    }

    // A change while playing goes on from what was heard.
    player.SetSpeed(1);
    player.Seek(0);
    player.Play();
    clock.advance(1000);
    player.SetSpeed(0.5);
    clock.advance(1000);
    EXPECT_EQ(player.Position(), 1500);
    player.SetSpeed(9);
    EXPECT_EQ(player.Speed(), 2.0) << "within 0.5 to 2";
}

// A sound of three passages at levels +, − and + (ends 1000, 2000, 2500 ms)
// stops at each passage's end on the sample clock: at every speed the last
// frame heard lies within 20 ms of where the clock puts the mark, and no
// frame of the next passage (the other sign) reaches the device.
TEST_F(MediaPlayer, AStopMarkEndsPlayingOnTheSampleClockAtEverySpeed) {
    const int rate = 22050;
    std::vector<float> samples(std::size_t(rate) * 5 / 2, 0.3f);
    std::fill(samples.begin() + rate, samples.begin() + 2 * rate, -0.3f);
    lectern::platform::Sound::write(media.realPath("levels.wav"), "levels.wav",
                                    {SF_FORMAT_WAV | SF_FORMAT_FLOAT, rate, 1}, samples.data(),
                                    (long long)samples.size());
    TMediaPlayer player(*media.engine);
    player.SetFileName(media.coursePath("levels.wav"));
    player.Open();
    ManualClock& clock = *media.clock();
    clock.keepOutput = true;
    for (const double speed : {0.5, 1.0, 2.0}) {
        SCOPED_TRACE(speed);
        player.SetSpeed(speed);
        player.Seek(0);
        for (const auto& [from, mark, sign] : {std::tuple{0, 1000, 1.0f}, {1000, 2000, -1.0f}}) {
            SCOPED_TRACE(mark);
            player.SetStopAt(mark);
            player.Play();
            clock.output.clear();
            // Polled as a window's tick would, well past the mark.
            for (int ms = 0; ms < (mark - from) / speed + 300; ms += 50) {
                clock.advance(50);
                player.Position();
            }
            EXPECT_EQ(player.Position(), mark);
            EXPECT_FALSE(player.Playing());
            EXPECT_TRUE(player.ReachedStop());
            long long lastHeard = -1;
            int foreign = 0;
            for (std::size_t i = 0; i < clock.output.size(); ++i) {
                if (clock.output[i] * sign > 0.1f)
                    lastHeard = (long long)i / 2;
                if (clock.output[i] * sign < -0.1f)
                    ++foreign;
            }
            EXPECT_NEAR(double(lastHeard) / 48, (mark - from) / speed, 20);
            EXPECT_EQ(foreign, 0) << "samples of the next passage";
        }
    }
    player.SetStopAt(TMediaPlayer::NoStop);
    player.Play();
    clock.advance(600 / 0.5);
    EXPECT_EQ(player.Position(), 2500) << "without a stop it plays to the end";
    EXPECT_FALSE(player.ReachedStop());

    // A stop set while playing, behind what the device has already taken,
    // still holds: playing stops there.
    player.SetSpeed(1);
    player.Seek(0);
    player.Play();
    clock.advance(900);
    player.SetStopAt(905);
    clock.output.clear();
    clock.advance(200);
    EXPECT_EQ(player.Position(), 905);
    EXPECT_TRUE(player.ReachedStop());
}

}  // namespace
