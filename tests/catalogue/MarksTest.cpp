#include "catalogue/Marks.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace lectern;

TEST(Marks, EachLineIsJudgedAgainstTheLastMarkBeforeItThatCouldBeRead) {
    struct Case {
        QStringList lines;
        std::vector<std::optional<qint64>> marks;
        QStringList faults;
    };
    const Case cases[] = {
        {{"500", "1200", " 2000"}, {500, 1200, 2000}, {"", "", ""}},
        {{"-5", "0"}, {-5, 0}, {"mark -5 is before the start", ""}},
        {{"500", "x", "400", "450"},
         {500, std::nullopt, 400, 450},
         {"", "'x' is not a valid integer value",
          "mark 400 does not come after the mark before it (500)", ""}},
        {{"", "100"}, {std::nullopt, 100}, {"'' is not a valid integer value", ""}},
    };
    for (const Case& c : cases) {
        const std::vector<catalogue::MarkLine> read =
            catalogue::ReadMarkLines(platform::StringList(c.lines));
        const std::string shown = c.lines.join(QLatin1Char('|')).toStdString();
        ASSERT_EQ(read.size(), c.marks.size()) << shown;
        for (std::size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].mark, c.marks[i]) << shown << " line " << i + 1;
            EXPECT_EQ(read[i].fault, c.faults[i]) << shown << " line " << i + 1;
        }
    }
}
