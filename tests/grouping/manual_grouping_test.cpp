#include "grouping/manual_grouping.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "grouping/grouping_fixture.h"

namespace tovi {
namespace {

using testing::MakeRoster;
using Entries = std::vector<std::string>;

TEST(ManualGrouping, PicksOnlyMembersWhoAreInNoGroup) {
    TournamentState state = MakeRoster("mf-m");  // member 2 does not play
    state.placedFlag[1] = 1;
    state.placedFlag[4] = 1;  // a stale flag below the roster
    const struct {
        int row;
        bool pickable;
    } cases[] = {
        {0, true},  {1, false},  {2, true},   {3, true},
        {4, false}, {-1, false}, {40, false}, {300, false},
    };
    for (const auto& c : cases) EXPECT_EQ(CanPick(state, c.row), c.pickable) << "row " << c.row;
}

TEST(ManualGrouping, PasteAppendsThePickUnlessTheGroupIsFull) {
    const struct {
        const char* name;
        std::string pick;
        Entries before;
        PasteResult result;
        Entries after;
    } cases[] = {
        {"nothing picked", "", {"1"}, PasteResult::NothingPicked, {"1"}},
        {"into an empty group", "7", {}, PasteResult::Pasted, {"7"}},
        {"fifth to sixth",
         "7",
         {"0", "1", "2", "3", "4"},
         PasteResult::Pasted,
         {"0", "1", "2", "3", "4", "7"}},
        {"group of six is full",
         "7",
         {"0", "1", "2", "3", "4", "5"},
         PasteResult::GroupFull,
         {"0", "1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TournamentState state = MakeRoster("mmmmmmmmf");
        state.groupList[5] = c.before;
        EXPECT_EQ(PasteIntoGroup(state, c.pick, 5), c.result);
        EXPECT_EQ(state.groupList[5], c.after);
        EXPECT_EQ(state.placedFlag[7], c.result == PasteResult::Pasted ? 1 : 0);
    }
}

TEST(ManualGrouping, ReturnTakesOutTheMemberOnTheRowPressed) {
    const struct {
        int y;
        int row;
        ReturnResult result;
        Entries after;
    } cases[] = {
        {0, 0, ReturnResult::Returned, {"4", "2", "8"}},
        {2, 0, ReturnResult::Returned, {"4", "2", "8"}},
        {20, 0, ReturnResult::Returned, {"4", "2", "8"}},
        {21, 1, ReturnResult::Returned, {"6", "2", "8"}},
        {38, 1, ReturnResult::Returned, {"6", "2", "8"}},
        {39, 2, ReturnResult::Returned, {"6", "4", "8"}},
        {74, 3, ReturnResult::Returned, {"6", "4", "2"}},
        {75, 4, ReturnResult::OutOfRange, {"6", "4", "2", "8"}},
        {121, 6, ReturnResult::OutOfRange, {"6", "4", "2", "8"}},
        {-14, 0, ReturnResult::Returned, {"4", "2", "8"}},  // -17 / 18 truncates to 0
        {-15, -1, ReturnResult::OutOfRange, {"6", "4", "2", "8"}},
        {-40, -2, ReturnResult::OutOfRange, {"6", "4", "2", "8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        TournamentState state = MakeRoster("mmmmmmmmm");
        state.groupList[2] = {"6", "4", "2", "8"};
        for (const int p : {2, 4, 6, 8}) state.placedFlag[static_cast<std::size_t>(p)] = 1;
        EXPECT_EQ(ReturnFromGroup(state, 2, c.y), c.result);
        EXPECT_EQ(GroupRowAt(c.y), c.row);
        EXPECT_EQ(state.groupList[2], c.after);
        int placed = 0;
        for (const int p : {2, 4, 6, 8}) placed += state.placedFlag[static_cast<std::size_t>(p)];
        EXPECT_EQ(placed, c.result == ReturnResult::Returned ? 3 : 4);
    }
}

TEST(ManualGrouping, ReturnOnAnEmptyGroupIsOutOfRange) {
    TournamentState state = MakeRoster("mm");
    for (const int y : {0, 20, 21}) {
        EXPECT_EQ(ReturnFromGroup(state, 6, y), ReturnResult::OutOfRange) << y;
    }
    EXPECT_TRUE(state.groupList[6].empty());
}

TEST(ManualGrouping, PastedMemberCanBeReturnedAndPickedAgain) {
    TournamentState state = MakeRoster("m-f");
    // A member who does not play can be placed.
    ASSERT_EQ(PasteIntoGroup(state, "1", 1), PasteResult::Pasted);
    EXPECT_FALSE(CanPick(state, 1));
    ASSERT_EQ(ReturnFromGroup(state, 1, 10), ReturnResult::Returned);
    EXPECT_TRUE(CanPick(state, 1));
    EXPECT_TRUE(state.groupList[1].empty());
}

TEST(ManualGrouping, GroupNumbersOutside1To6AreRejected) {
    TournamentState state = MakeRoster("mm");
    for (const int group : {0, -1, 7}) {
        EXPECT_THROW(PasteIntoGroup(state, "0", group), std::out_of_range) << group;
        EXPECT_THROW(ReturnFromGroup(state, group, 10), std::out_of_range) << group;
    }
    EXPECT_EQ(state.placedFlag[0], 0);
}

}  // namespace
}  // namespace tovi
