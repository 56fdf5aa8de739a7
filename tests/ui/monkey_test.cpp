// The monkey on a fixed seed: a few thousand random events on the real
// window without a broken invariant, and enough of them reaching the states
// that matter (files, groups, the score sheet) to make that mean something.
#include <gtest/gtest.h>

#include "ui/monkey.h"

namespace tovi::test {
namespace {

TEST(Monkey, AFixedSeedKeepsEveryInvariant) {
    constexpr long kEvents = 5000;
    const MonkeyReport report = RunMonkey(20260501, kEvents);
    std::fputs(Summary(report).c_str(), stderr);
    ASSERT_FALSE(report.Failed()) << Summary(report);
    EXPECT_EQ(report.eventsRun, kEvents);

    // A monkey that never got a roster in, never grouped anyone or never
    // drew a sheet would pass without testing much.
    EXPECT_GT(report.loadsAccepted, 0);
    EXPECT_GT(report.loadsRefused, 0);
    EXPECT_GT(report.savesWritten, 0);
    EXPECT_GT(report.savesRefused, 0);
    EXPECT_GT(report.registrations, 0);
    EXPECT_GT(report.groupingRuns, 0);
    EXPECT_GT(report.pastes + report.returns, 0);
    EXPECT_GT(report.previews, 0);
}

}  // namespace
}  // namespace tovi::test
