#include "platform/Error.h"
#include "platform/desktop/Dialogs.h"
#include "platform/desktop/HandlerGuard.h"
#include "support/RecordingDialogs.h"

#include <gtest/gtest.h>

using namespace lectern::platform;
using lectern::test::RecordingDialogs;

TEST(HandlerGuard, ShowsAnEscapingErrorWithTheFullStopRuleAndGoesOn) {
    RecordingDialogs dialogs;
    HandlerGuard guard(dialogs);
    EXPECT_FALSE(guard.run([] { throw Error("Cannot open file /c/main.dsg"); }));
    EXPECT_FALSE(guard.run([] { throw Error("Already ends."); }));
    EXPECT_FALSE(guard.run([] { throw Error("Ends in a bracket)"); }));
    EXPECT_FALSE(guard.run([] { throw 42; }));
    EXPECT_TRUE(guard.run([] {}));
    EXPECT_EQ(dialogs.errors(), QStringList({"Cannot open file /c/main.dsg.", "Already ends.",
                                             "Ends in a bracket)", ""}));
}

TEST(HandlerGuard, FullStopFollowsLettersDigitsAndCyrillic) {
    EXPECT_EQ(withFullStop("9"), "9.");
    EXPECT_EQ(withFullStop(QString::fromUtf8("Ошибка")), QString::fromUtf8("Ошибка."));
    EXPECT_EQ(withFullStop("'x'"), "'x'");
    EXPECT_EQ(withFullStop(""), "");
}
