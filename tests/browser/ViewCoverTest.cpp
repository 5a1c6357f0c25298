#include "platform/browser/ViewCover.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

using namespace lectern::platform;

namespace {

QScreen* screenNamed(const char* name) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String(name))
            return screen;
    return nullptr;
}

}  // namespace

TEST(ViewCover, TheOverhangMakesUpForTheEnginesShortfallAtFractionalRatiosOnly) {
    for (const auto& [ratio, overhang] :
         {std::pair{1.0, 0}, {1.25, 2}, {1.5, 2}, {1.75, 2}, {2.0, 0}, {2.5, 1}, {3.0, 0}})
        EXPECT_EQ(viewOverhang(ratio), overhang) << ratio;
}

// A window moved to a screen of another scale changes its ratio without a
// resize: the view follows all the same, there and back.
TEST(ViewCover, TheViewFollowsItsWindowToAScreenOfAnotherScale) {
    QScreen* plain = screenNamed("test-screen");
    QScreen* scaled = screenNamed("scaled-screen");
    ASSERT_TRUE(plain && scaled) << "the test's environment gives a second screen, scaled";
    ASSERT_EQ(scaled->devicePixelRatio(), 1.25);
    QWidget window;
    window.setGeometry(100, 100, 400, 300);
    auto* host = new QWidget(&window);
    host->setGeometry(10, 10, 200, 100);
    auto* view = new QWidget(host);
    window.show();
    keepViewCoveringHost(*host, *view);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 200, 100));

    window.windowHandle()->setScreen(scaled);
    ASSERT_EQ(host->devicePixelRatioF(), 1.25);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 202, 100));
    host->resize(150, 80);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 152, 80));

    window.windowHandle()->setScreen(plain);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 150, 80));
}
