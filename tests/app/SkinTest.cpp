#include "SkinCourse.h"
#include "app/Intro/TIntroFrm.h"
#include "app/WindowSet.h"
#include "exercises/pageviewer/TViewFrm.h"
#include "exercises/quiz/TMultiFrm.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "exercises/sorting/TfrmSort.h"
#include "exercises/units/TWorkTxtFrm.h"
#include "mainwindow/TMainFrm.h"
#include "support/JpegSamples.h"

#include <gtest/gtest.h>
#include <jerror.h>
#include <jpeglib.h>
#include <QImage>
#include <QLayout>
#include <cstdio>
#include <map>
#include <memory>

namespace lectern {
namespace {

using platform::SkinnedForm;
using platform::TImage;

QSize pictureOf(const TImage* image) {
    return image->Picture().size();
}

class SkinTest : public ::testing::Test {
  protected:
    void create() { windows = std::make_unique<app::WindowSet>(services.platform); }
    void start() {
        if (!windows)
            create();
        windows->MainFrm->show();
    }
    QSize picture(const char* name) const { return course.pictureSize(name); }
    QRect button(int firstLine) const {
        return QRect(course.line(firstLine + 3), course.line(firstLine + 2), course.line(firstLine),
                     course.line(firstLine + 1));
    }
    std::vector<SkinnedForm*> skinned() const {
        return {windows->MainFrm,    windows->ViewFrm,  windows->ViewTxtFrm,
                windows->WorkTxtFrm, windows->MultiFrm, windows->frmSort};
    }

    test::SkinCourse course;
    test::CurrentFolder here{course.path()};
    test::TestPlatform services;
    std::unique_ptr<app::WindowSet> windows;
};

TEST_F(SkinTest, DressesEveryWindowWithItsPicturesAndSizes) {
    start();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    const app::WindowSet& w = *windows;

    EXPECT_EQ(pictureOf(w.ViewFrm->Image3), picture("top2"));
    EXPECT_EQ(pictureOf(w.ViewFrm->Image4), picture("bot2"));
    for (SkinnedForm* form :
         {static_cast<SkinnedForm*>(w.ViewTxtFrm), static_cast<SkinnedForm*>(w.WorkTxtFrm),
          static_cast<SkinnedForm*>(w.MultiFrm), static_cast<SkinnedForm*>(w.frmSort)}) {
        EXPECT_EQ(pictureOf(form->Image3), picture("top2")) << form->objectName().toStdString();
        EXPECT_EQ(pictureOf(form->Image4), picture("bot3")) << form->objectName().toStdString();
    }
    EXPECT_EQ(pictureOf(w.MainFrm->Image3), picture("top"));
    EXPECT_EQ(pictureOf(w.MainFrm->Image4), picture("bot"));

    for (SkinnedForm* form : skinned()) {
        SCOPED_TRACE(form->objectName().toStdString());
        EXPECT_EQ(pictureOf(form->Image1), picture("left"));
        EXPECT_EQ(pictureOf(form->Image2), picture("right"));
        EXPECT_EQ(form->Panel1->height(), 80);
        EXPECT_EQ(form->Panel2->height(), 90);
        EXPECT_EQ(form->Image3->geometry(), form->Panel1->rect());
        EXPECT_EQ(form->Image4->geometry(), form->Panel2->rect());
        EXPECT_EQ(form->Image1->maximumWidth(), 30);
        EXPECT_EQ(form->Image2->maximumWidth(), 40);
    }
    // The content fills what bars and edges leave of the main window.
    w.MainFrm->layout()->activate();
    EXPECT_EQ(w.MainFrm->Content()->geometry(), QRect(30, 80, 800 - 30 - 40, 575 - 80 - 90));

    const mainwindow::TMainFrm& main = *w.MainFrm;
    EXPECT_EQ(pictureOf(main.m1()), picture("m1"));
    EXPECT_EQ(pictureOf(main.m2()), picture("m2"));
    EXPECT_EQ(pictureOf(main.m3()), picture("m3"));
    EXPECT_EQ(pictureOf(main.m4()), picture("m4"));
    EXPECT_EQ(pictureOf(main.m5()), picture("m5"));
    EXPECT_EQ(pictureOf(w.ViewFrm->m1()), picture("m6"));
    const std::array<const char*, 5> exercise{"m7", "m8", "m9", "m10", "m11"};
    auto checkExercise = [&](auto* window) {
        SCOPED_TRACE(window->objectName().toStdString());
        const std::array<TImage*, 5> holders{window->m1(), window->m2(), window->m3(), window->m4(),
                                             window->m5()};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(pictureOf(holders[i]), picture(exercise[i])) << exercise[i];
    };
    checkExercise(w.ViewTxtFrm);
    checkExercise(w.WorkTxtFrm);
    checkExercise(w.MultiFrm);
    checkExercise(w.frmSort);
    EXPECT_EQ(pictureOf(w.WorkTxtFrm->c()), picture("c1"));
    EXPECT_EQ(pictureOf(w.WorkTxtFrm->ca()), picture("c2a"));

    // Clickables carry no picture: they stay transparent over their holders.
    EXPECT_TRUE(main.m22()->Picture().isNull());
    EXPECT_TRUE(main.m1()->isHidden());
}

TEST_F(SkinTest, PlacesEveryButtonFromItsGeometryLines) {
    start();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    const app::WindowSet& w = *windows;
    const mainwindow::TMainFrm& main = *w.MainFrm;
    const std::array<std::pair<TImage*, TImage*>, 5> mainButtons{{{main.m1(), main.m11()},
                                                                  {main.m2(), main.m22()},
                                                                  {main.m3(), main.m33()},
                                                                  {main.m4(), main.m44()},
                                                                  {main.m5(), main.m55()}}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(mainButtons[i].first->geometry(), button(10 + 4 * i)) << i;
        EXPECT_EQ(mainButtons[i].second->geometry(), button(10 + 4 * i)) << i;
    }
    EXPECT_EQ(w.ViewFrm->m1()->geometry(), button(30));
    EXPECT_EQ(w.ViewFrm->m11()->geometry(), button(30));
    const std::array<int, 5> exerciseLines{34, 38, 42, 46, 52};
    auto checkExercise = [&](auto* window) {
        SCOPED_TRACE(window->objectName().toStdString());
        const std::array<TImage*, 10> images{
            window->m1(),  window->m2(),  window->m3(),  window->m4(),  window->m5(),
            window->m11(), window->m22(), window->m33(), window->m44(), window->m55()};
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(images[i]->geometry(), button(exerciseLines[i % 5])) << i;
    };
    checkExercise(w.ViewTxtFrm);
    checkExercise(w.WorkTxtFrm);
    checkExercise(w.MultiFrm);
    checkExercise(w.frmSort);
    for (TImage* unit : {w.WorkTxtFrm->c(), w.WorkTxtFrm->ca(), w.WorkTxtFrm->caa()})
        EXPECT_EQ(unit->geometry(), button(56));
}

TEST_F(SkinTest, ACorruptPictureEndsTheSkinningWhereItLies) {
    // A PNG under a JPEG's name, between the left and the right edges.
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::red);
    png.save(course.path() + "/gdata/right.jpg", "PNG");
    create();
    const QRect designed = windows->MainFrm->m11()->geometry();
    std::map<SkinnedForm*, int> designedRightEdge;
    for (SkinnedForm* form : skinned())
        designedRightEdge[form] = form->Image2->maximumWidth();
    start();

    EXPECT_EQ(services.dialogs.errors(), QStringList{QString("JPEG error #%1.").arg(JERR_NO_SOI)});
    for (SkinnedForm* form : skinned()) {
        SCOPED_TRACE(form->objectName().toStdString());
        EXPECT_FALSE(form->Image3->Picture().isNull());
        EXPECT_EQ(pictureOf(form->Image1), picture("left"));
        EXPECT_TRUE(form->Image2->Picture().isNull());
        EXPECT_EQ(form->Image2->maximumWidth(), designedRightEdge[form]);
    }
    EXPECT_TRUE(windows->MainFrm->m1()->Picture().isNull());
    EXPECT_TRUE(windows->WorkTxtFrm->c()->Picture().isNull());
    EXPECT_EQ(windows->MainFrm->m11()->geometry(), designed);
    EXPECT_TRUE(windows->IntroFrm->Image1->Picture().isNull());
}

TEST_F(SkinTest, AMissingPictureIsNamedAndLeavesTheRestUndressed) {
    QFile::remove(course.path() + "/gdata/m6.jpg");
    start();
    EXPECT_EQ(services.dialogs.errors(), QStringList{"Cannot open file gdata/m6.jpg."});
    EXPECT_EQ(pictureOf(windows->MainFrm->m1()), picture("m1"));
    EXPECT_TRUE(windows->ViewFrm->m1()->Picture().isNull());
    EXPECT_TRUE(windows->MultiFrm->m1()->Picture().isNull());
}

TEST_F(SkinTest, PicturesThatWouldTakeMoreThan64MpxInAllStopAtTheFirstOneOver) {
    // Small files whose headers claim 32000 x 32000, decoded at 1/8 to
    // 4000 x 4000: the first four fit, the fifth (gdata\bot.jpg) does not.
    for (const QString& name : test::SkinCourse::pictureNames)
        course.write("gdata/" + name + ".jpg",
                     test::withClaimedSize(test::solidJpeg(16, 16, Qt::blue), 32000, 32000));
    start();
    EXPECT_EQ(services.dialogs.errors(),
              QStringList{"Cannot open file gdata/bot.jpg: the pictures of the skin and the "
                          "splash would take more than 64 Mpx (this one is 4000×4000 once "
                          "decoded)"});
    EXPECT_EQ(pictureOf(windows->ViewFrm->Image3), QSize(4000, 4000));
    EXPECT_TRUE(windows->MainFrm->Image3->Picture().isNull());
    EXPECT_TRUE(windows->MainFrm->isVisible());
}

TEST_F(SkinTest, ZeroAndNegativeSizesGiveEmptyChromeAndWiderContent) {
    course.setLine(4, "0");
    course.setLine(7, "-20");
    course.setLine(8, "0");
    course.setLine(9, "-7");
    course.setLine(10, "-5");
    course.setLine(11, "0");
    course.setLine(12, "-1000000");
    start();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    mainwindow::TMainFrm& main = *windows->MainFrm;
    EXPECT_EQ(main.Panel1->height(), 0);
    EXPECT_EQ(main.Panel2->height(), 0);
    EXPECT_EQ(main.Image1->maximumWidth(), 0);
    EXPECT_EQ(main.Image2->maximumWidth(), 0);
    EXPECT_EQ(main.m11()->size(), QSize(0, 0));
    main.layout()->activate();
    EXPECT_EQ(main.Content()->geometry(), QRect(0, 0, 800, 575));
    main.grab();  // paints without a fault
}

TEST_F(SkinTest, ABadGeometryLineIsReportedAsTheCatalogueReportsIt) {
    course.setLine(9, "wide");
    start();
    EXPECT_EQ(services.dialogs.errors(), QStringList{"'wide' is not a valid integer value."});
    EXPECT_EQ(pictureOf(windows->MainFrm->Image2), picture("right"));
    EXPECT_TRUE(windows->ViewFrm->Image2->Picture().isNull());
}

}  // namespace
}  // namespace lectern
