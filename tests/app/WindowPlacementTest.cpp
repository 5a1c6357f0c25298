#include "platform/desktop/QtDialogs.h"
#include "platform/widgets/TForm.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using namespace lectern;
using platform::TForm;

namespace {

QRect available() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The window's outer rectangle as the course's geometry counts it.
QRect outline(const TForm& form) {
    return QRect(form.pos(), QSize(form.Width(), form.Height()));
}

}  // namespace

TEST(WindowPlacement, EveryWindowFitsTheScreenAndKeepsASizeThatFits) {
    const QRect screen = available();
    const int huge = 99999999;
    const struct {
        TForm::Frame frame;
        TForm::Position position;
        int width, height;
        bool kept;
    } cases[] = {
        {TForm::Frame::FixedDialog, TForm::Position::ScreenCenter, huge, huge, false},
        {TForm::Frame::FixedDialog, TForm::Position::MainFormCenter, huge, 300, false},
        {TForm::Frame::Sizeable, TForm::Position::Designed, huge, huge, false},
        {TForm::Frame::None, TForm::Position::ScreenCenter, 300, huge, false},
        {TForm::Frame::FixedDialog, TForm::Position::ScreenCenter, -500, -500, false},
        {TForm::Frame::FixedDialog, TForm::Position::MainFormCenter, screen.width(),
         screen.height(), true},
        {TForm::Frame::None, TForm::Position::ScreenCenter, 300, 200, true},
    };
    test::TestPlatform test;
    // A main window as large as the screen, far off it.
    TForm main(test.platform, TForm::Frame::FixedDialog, TForm::Position::Designed);
    main.SetWidth(huge);
    main.SetHeight(huge);
    main.move(-20000, -20000);
    main.show();
    EXPECT_TRUE(screen.contains(outline(main)));
    for (const auto& c : cases) {
        TForm form(test.platform, c.frame, c.position, &main);
        form.SetWidth(c.width);
        form.SetHeight(c.height);
        if (c.position == TForm::Position::Designed)
            form.move(screen.right() - 10, screen.bottom() - 10);
        form.show();
        const std::string name = std::to_string(c.width) + " x " + std::to_string(c.height);
        EXPECT_TRUE(screen.contains(outline(form))) << name;
        if (c.kept) {
            EXPECT_EQ(QSize(form.Width(), form.Height()), QSize(c.width, c.height)) << name;
        }
        // A size set while it shows is held to the screen as well.
        form.SetWidth(huge);
        EXPECT_TRUE(screen.contains(outline(form))) << name;
    }
}

// Window systems that place windows themselves (Wayland) place a window over
// the one it is transient for; every window and box opens over its owner,
// and has a close button but none to minimise or maximise it.
TEST(WindowPlacement, WindowsAndBoxesOpenOverTheirOwnerWithOnlyACloseButton) {
    constexpr Qt::WindowFlags extraButtons =
        Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowMinMaxButtonsHint;
    test::TestPlatform test;
    TForm main(test.platform, TForm::Frame::FixedDialog, TForm::Position::ScreenCenter);
    main.show();
    TForm centred(test.platform, TForm::Frame::FixedDialog, TForm::Position::MainFormCenter, &main);
    TForm owned(test.platform, TForm::Frame::FixedDialog, TForm::Position::ScreenCenter);
    owned.SetOwner(&main);
    for (TForm* form : {&centred, &owned}) {
        form->show();
        ASSERT_TRUE(form->windowHandle());
        EXPECT_EQ(form->windowHandle()->transientParent(), main.windowHandle());
        EXPECT_FALSE(form->windowHandle()->flags() & extraButtons);
        EXPECT_TRUE(form->windowHandle()->flags() & Qt::WindowCloseButtonHint);
        form->hide();
    }

    // A box captioned wider than its text, opened while no window is active.
    const QString caption = QStringLiteral(
        "Results of the final test of chapter two, the outer planets and their moons");
    struct Seen {
        QWindow* transientParent = nullptr;
        Qt::WindowFlags flags;
        int width = 0;
    } seen;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box && box->windowHandle());
        seen = {box->windowHandle()->transientParent(), box->windowHandle()->flags(), box->width()};
        box->close();
    });
    platform::QtDialogs().showMessageBox(caption, QStringLiteral("All correct"));
    EXPECT_EQ(seen.transientParent, main.windowHandle());
    EXPECT_FALSE(seen.flags & extraButtons);
    EXPECT_TRUE(seen.flags & Qt::WindowCloseButtonHint);
    QFont bold = QApplication::font();
    bold.setBold(true);
    // A caption centred over the title bar clears the buttons of Qt's own
    // Wayland title bar (77 px at the right) on both sides.
    EXPECT_GE(seen.width, QFontMetrics(bold).horizontalAdvance(caption) + 2 * 77);
}
