#include "platform/desktop/BoxCaption.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

using lectern::platform::BoxCaption;

// A box's own caption row shows the whole caption, and its close button
// closes the box as Esc does (the box's escape button answers, never its
// default one) while the default button keeps the keyboard focus.
TEST(BoxCaption, ShowsTheWholeCaptionAndClosesLikeEsc) {
    EXPECT_FALSE(BoxCaption::drawnByQt()) << "where the window system draws title bars";
    const QString caption = QStringLiteral("Results of the final test of chapter two");
    QMessageBox box(QMessageBox::NoIcon, caption, QStringLiteral("All correct"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    new BoxCaption(box);
    struct Seen {
        int labelWidth = 0, textWidth = 0;
        QWidget* focus = nullptr;
        bool frameless = false;
    } seen;
    QTimer::singleShot(0, [&] {
        for (auto* label : box.findChildren<QLabel*>())
            if (label->text() == caption)
                seen.labelWidth = label->width(),
                seen.textWidth = label->fontMetrics().horizontalAdvance(caption);
        seen.focus = box.focusWidget();
        seen.frameless = box.windowFlags() & Qt::FramelessWindowHint;
        for (auto* button : box.findChildren<QAbstractButton*>())
            if (button->accessibleName() == QLatin1String("Close"))
                button->click();
    });
    QTimer::singleShot(2000, &box, [&] { box.done(-1); });  // a close button that does nothing
    EXPECT_EQ(box.exec(), QMessageBox::Cancel);
    EXPECT_TRUE(seen.frameless);
    EXPECT_GT(seen.textWidth, 0);
    EXPECT_GE(seen.labelWidth, seen.textWidth);
    EXPECT_EQ(seen.focus, box.button(QMessageBox::Ok));
}
