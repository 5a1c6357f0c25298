#include "platform/widgets/WindowCaption.h"

#include <gtest/gtest.h>

using lectern::platform::WindowCaption;

TEST(WindowCaption, IsCutTo256CharactersWithoutControlsOrHalfACharacter) {
    constexpr qsizetype max = WindowCaption::MaxLength;
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units
    const struct {
        QString text;
        QString caption;
    } cases[] = {
        {"Lesson 1", "Lesson 1"},
        {"Lesson\t1\r\n\x1b[31m\x7f" + QString(QChar(0x85)), "Lesson1[31m"},
        {QString(4 << 20, 'x'), QString(max, 'x')},
        {QString(max, '\n') + "title", "title"},
        {QString(max - 1, 'a') + smile, QString(max - 1, 'a')},
        {QString(max - 2, 'a') + smile + "b", QString(max - 2, 'a') + smile},
        {"lone " + QString(QChar(0xD800)) + "half", "lone half"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(40).toStdString());
        EXPECT_EQ(WindowCaption::of(c.text), c.caption);
    }
}
