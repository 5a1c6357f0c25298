// The skin at the scales learners' screens use. Each row of the table runs
// this program again at one QT_SCALE_FACTOR on the 1920×1200 test screen; at
// 2 the 1000×675 design does not fit and the window must shrink.
#include "SkinCourse.h"
#include "app/WindowSet.h"
#include "exercises/reading/TViewTxtFrm.h"
#include "mainwindow/TMainFrm.h"
#include "support/ForkedProcess.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QProcess>
#include <QTest>

namespace lectern {
namespace {

using platform::SkinnedForm;

constexpr char rowVariable[] = "LECTERN_SCALE_ROW";
const QColor background(0, 0, 255);

// Device pixels where the window's own background shows between the skin's
// pictures: the seams. The content is filled with a colour of its own and
// the pictures have no such blue.
int seamPixels(SkinnedForm& form) {
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, background);
    form.setPalette(palette);
    for (QWidget* child : form.Content()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->hide();
    palette.setColor(QPalette::Window, Qt::darkGreen);
    form.Content()->setPalette(palette);
    form.Content()->setAutoFillBackground(true);
    const QImage shot = form.grab().toImage();
    int seams = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (const QRgb pixel = shot.pixel(x, y);
                qBlue(pixel) > 215 && qRed(pixel) < 40 && qGreen(pixel) < 40)
                ++seams;
    return seams;
}

std::vector<platform::TImage*> litOf(const SkinnedForm& form) {
    std::vector<platform::TImage*> lit;
    for (int button = 0; button < form.Buttons().count(); ++button)
        if (!form.Buttons().holder(button)->isHidden())
            lit.push_back(form.Buttons().holder(button));
    return lit;
}

}  // namespace

TEST(Scale, NoSeamAndEveryButtonWhereItsPictureShowsIt) {
    if (qEnvironmentVariableIsSet(rowVariable))
        GTEST_SKIP() << "a row of the table";
    for (const char* scale : {"1", "1.25", "1.5", "2"}) {
        QProcess row;
        test::useFork(row);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", scale);
        environment.insert(rowVariable, scale);
        row.setProcessEnvironment(environment);
        row.setProcessChannelMode(QProcess::MergedChannels);
        row.start(QCoreApplication::applicationFilePath(),
                  {"--gtest_filter=Scale.OneRow", "--gtest_brief=1"});
        ASSERT_TRUE(row.waitForFinished(60000)) << scale;
        EXPECT_EQ(row.exitCode(), 0) << "at scale " << scale << ":\n"
                                     << row.readAll().toStdString();
    }
}

TEST(Scale, OneRow) {
    if (!qEnvironmentVariableIsSet(rowVariable))
        GTEST_SKIP() << "run by the table at each scale";
    test::SkinCourse course;
    // The design of the demo course: 1000×675.
    for (const int line : {0, 3, 6})
        course.setLine(line, "1000");
    course.setLine(1, "675");
    test::CurrentFolder here(course.path());
    test::TestPlatform services;
    app::WindowSet w(services.platform);
    mainwindow::TMainFrm& m = *w.MainFrm;
    m.show();
    ASSERT_EQ(services.dialogs.errors(), QStringList());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
    const double scale = qEnvironmentVariable(rowVariable).toDouble();
    if (scale >= 2) {
        EXPECT_LT(m.SkinScale(), 1) << "the design does not fit: the skin shrinks";
    }
    // The bar's picture covers the bar: a point of its design is where the
    // picture shows it, and there its button lights and clicks.
    const double across = double(m.Panel1->width()) / course.line(0);
    const double down = double(m.Panel1->height()) / course.line(4);
    EXPECT_NEAR(across, down, 0.01) << "the skin scales uniformly";
    const auto shown = [&](double x, double y) {
        return m.Panel1->mapTo(&m, QPointF(x * across, y * down).toPoint());
    };
    QPoint exit;
    for (int button = 0; button < 5; ++button) {
        SCOPED_TRACE(button);
        const int first = 10 + 4 * button;
        const int width = course.line(first), height = course.line(first + 1);
        const int top = course.line(first + 2), left = course.line(first + 3);
        for (const double part : {0.25, 0.5}) {
            QTest::mouseMove(m.windowHandle(), shown(left + width * part, top + height / 2.0));
            EXPECT_EQ(litOf(m), std::vector<platform::TImage*>{m.Buttons().holder(button)})
                << "at " << part << " of its width";
        }
        exit = shown(left + width / 2.0, top + height / 2.0);
    }

    w.ViewTxtFrm->show();
    for (SkinnedForm* form : std::initializer_list<SkinnedForm*>{&m, w.ViewTxtFrm})
        EXPECT_EQ(seamPixels(*form), 0) << form->objectName().toStdString();
    w.ViewTxtFrm->hide();

    QTest::mouseClick(m.windowHandle(), Qt::LeftButton, {}, exit);
    EXPECT_FALSE(m.isVisible()) << "Exit closes";
}

}  // namespace lectern
