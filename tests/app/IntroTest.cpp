#include "SkinCourse.h"
#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "app/skin/WindowSkins.h"
#include "platform/Error.h"
#include "platform/StringList.h"
#include "platform/jpeg/TJPEGImage.h"
#include "platform/media/TMediaPlayer.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTest>

namespace lectern {
namespace {

// A mono 16-bit PCM WAV file of silence.
QByteArray silentWav(int ms) {
    const quint32 rate = 8000;
    const quint32 dataBytes = rate * ms / 1000 * 2;
    QByteArray wav;
    auto u32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            wav.append(char((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](quint16 v) {
        wav.append(char(v & 0xFF));
        wav.append(char(v >> 8));
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    wav.append(QByteArray(dataBytes, '\0'));
    return wav;
}

class IntroTest : public ::testing::Test {
  protected:
    IntroTest() {
        course.write("data/intro.wav", silentWav(20000));
        splash.SetAppFolder(course.path());
    }
    void tick(int times) {
        for (int i = 0; i < times; ++i)
            splash.Timer1Timer();
    }
    int soundPosition() const { return splash.MediaPlayer1->Position(); }

    test::TempDir course;
    test::TestPlatform services;
    app::TIntroFrm splash{services.platform};
};

TEST_F(IntroTest, IsABorderlessPictureWithItsTimerRunningFromCreation) {
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.Timer1->isActive());
    EXPECT_EQ(splash.Timer1->interval(), 1000);
    EXPECT_EQ(splash.TickCount, 0);
    splash.SetWidth(300);
    splash.SetHeight(200);
    EXPECT_EQ(splash.size(), QSize(300, 200));
}

TEST_F(IntroTest, PlaysTheIntroSoundAndClosesOnTheTenthTick) {
    splash.ShowModal();
    ASSERT_TRUE(splash.isVisible());
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    EXPECT_EQ(splash.MediaPlayer1->FileName(), course.path() + "\\data\\intro.wav");
    services.audio.advance(500);
    EXPECT_GE(soundPosition(), 400);
    tick(9);
    EXPECT_TRUE(splash.isVisible());
    tick(1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
    // Stopped, but kept open until the program ends.
    const int stoppedAt = soundPosition();
    services.audio.advance(500);
    EXPECT_EQ(soundPosition(), stoppedAt);
    EXPECT_TRUE(splash.MediaPlayer1->IsOpen());
    EXPECT_EQ(services.dialogs.errors(), QStringList());
}

TEST_F(IntroTest, AClickClosesItAtOnceAndStopsTheSound) {
    splash.ShowModal();
    splash.resize(100, 80);
    tick(1);
    QTest::mouseClick(splash.Image1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
    const int stoppedAt = soundPosition();
    services.audio.advance(500);
    EXPECT_EQ(soundPosition(), stoppedAt);
    EXPECT_EQ(services.dialogs.errors(), QStringList());
}

TEST_F(IntroTest, WithoutItsSoundItShowsTheErrorAndStillClosesOnTime) {
    QFile::remove(course.path() + "/data/intro.wav");
    splash.ShowModal();
    EXPECT_TRUE(splash.isVisible());
    ASSERT_EQ(services.dialogs.errors().size(), 1);
    EXPECT_TRUE(services.dialogs.errors()[0].contains("intro.wav"));
    tick(10);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(services.dialogs.errors().size(), 1);
}

TEST_F(IntroTest, ASplashNeverShownEndsItsTimerQuietly) {
    tick(10);
    EXPECT_FALSE(splash.Timer1->isActive());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(services.dialogs.errors(), QStringList());
}

class ShowIntroTest : public ::testing::Test {
  protected:
    platform::StringList settings(const QString& show) const {
        return platform::StringList(
            {"Course title", "splash.jpg", show, "Intro", "d0.htm", "0", "About", "d0.htm", "0"});
    }

    test::SkinCourse course;
    test::CurrentFolder here{course.path()};
    test::TestPlatform services;
    app::WindowSet w{services.platform};
    platform::PictureBudget pictures{4 * platform::TJPEGImage::MaxPixels};
};

TEST_F(ShowIntroTest, ShowsThePictureModallyOnlyWhenSwitchedOn) {
    app::ShowIntro(w, course.path(), settings("false"), services.files, pictures);
    EXPECT_TRUE(services.modal.shown.empty());
    EXPECT_EQ(w.IntroFrm->Image1->Picture().size(), QSize(64, 48));
    EXPECT_EQ(w.IntroFrm->Caption(), "Course title");

    app::ShowIntro(w, course.path(), settings("-1"), services.files, pictures);
    ASSERT_EQ(services.modal.shown.size(), 1u);
    EXPECT_EQ(services.modal.shown[0], w.IntroFrm);
    EXPECT_EQ(w.IntroFrm->MediaPlayer1->FileName(), course.path() + "\\data\\intro.wav");
}

TEST_F(ShowIntroTest, AMissingPictureKeepsTheSplashHidden) {
    const platform::StringList lines({"Course", "none.jpg", "True"});
    EXPECT_EQ(lectern::test::errorOf(
                  [&] { app::ShowIntro(w, course.path(), lines, services.files, pictures); }),
              "Cannot open file " + course.path() + "/data/descr/none.jpg");
    EXPECT_TRUE(services.modal.shown.empty());
}

}  // namespace
}  // namespace lectern
