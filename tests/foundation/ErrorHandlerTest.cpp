#include "ErrorHandler.h"
#include "Errors.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(ErrorHandler, AnEscapedErrorIsReportedOnceAndTheProgramGoesOn)
{
    ResetDoubles();
    bool after = false;
    Guarded([] { throw EConvertError(QStringLiteral("'1x' is not a valid integer value")); });
    Guarded([] { throw std::runtime_error("disk on fire"); });
    Guarded([] { throw 42; });
    Guarded([&] { after = true; });
    ASSERT_EQ(FakeDialogs().Calls.size(), 3u);
    EXPECT_EQ(FakeDialogs().Calls[0].Kind, "error");
    EXPECT_EQ(FakeDialogs().Calls[0].Text, "'1x' is not a valid integer value");
    EXPECT_EQ(FakeDialogs().Calls[1].Text, "disk on fire");
    EXPECT_EQ(FakeDialogs().Calls[2].Text, "Unknown error.");
    EXPECT_TRUE(after);
}

TEST(ErrorHandler, GuardedSlotPassesArgumentsThrough)
{
    ResetDoubles();
    int seen = 0;
    auto slot = GuardedSlot([&](int value) {
        seen = value;
        if (value < 0)
            throw EFileError(QStringLiteral("Cannot create file \"/x\"."));
    });
    slot(5);
    EXPECT_EQ(seen, 5);
    slot(-1);
    ASSERT_EQ(FakeDialogs().CountOf("error"), 1);
    EXPECT_EQ(FakeDialogs().Calls[0].Text, "Cannot create file \"/x\".");
}
