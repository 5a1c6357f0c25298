#include "SkinCourse.h"
#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "app/skin/WindowSkins.h"
#include "platform/Error.h"
#include "platform/StringList.h"
#include "platform/media/TMediaPlayer.h"

#include <gtest/gtest.h>
#include <QTest>

namespace lectern {
namespace {

class IntroTest : public ::testing::Test {
  protected:
    void tick(int times) {
        for (int i = 0; i < times; ++i)
            splash.Timer1Timer();
    }

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
    splash.SetAppFolder("/course");
    splash.ShowModal();
    ASSERT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.MediaPlayer1->FileName(), "/course\\data\\intro.wav");
    EXPECT_TRUE(splash.MediaPlayer1->IsOpen());
    tick(9);
    EXPECT_TRUE(splash.isVisible());
    tick(1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
    // The sound stays open until the program ends.
    EXPECT_TRUE(splash.MediaPlayer1->IsOpen());
    EXPECT_EQ(services.dialogs.errors(), QStringList());
}

TEST_F(IntroTest, AClickClosesItAtOnce) {
    splash.ShowModal();
    splash.resize(100, 80);
    tick(1);
    QTest::mouseClick(splash.Image1, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.Timer1->isActive());
    EXPECT_EQ(services.dialogs.errors(), QStringList());
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
};

TEST_F(ShowIntroTest, ShowsThePictureModallyOnlyWhenSwitchedOn) {
    app::ShowIntro(w, course.path(), settings("false"), services.files);
    EXPECT_TRUE(services.modal.shown.empty());
    EXPECT_EQ(w.IntroFrm->Image1->Picture().size(), QSize(64, 48));
    EXPECT_EQ(w.IntroFrm->Caption(), "Course title");

    app::ShowIntro(w, course.path(), settings("-1"), services.files);
    ASSERT_EQ(services.modal.shown.size(), 1u);
    EXPECT_EQ(services.modal.shown[0], w.IntroFrm);
    EXPECT_EQ(w.IntroFrm->MediaPlayer1->FileName(), course.path() + "\\data\\intro.wav");
}

TEST_F(ShowIntroTest, AMissingPictureKeepsTheSplashHidden) {
    const platform::StringList lines({"Course", "none.jpg", "True"});
    try {
        app::ShowIntro(w, course.path(), lines, services.files);
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.message(), "Cannot open file " + course.path() + "/data/descr/none.jpg");
    }
    EXPECT_TRUE(services.modal.shown.empty());
}

}  // namespace
}  // namespace lectern
