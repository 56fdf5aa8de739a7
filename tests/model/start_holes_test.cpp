#include "model/start_holes.h"

#include <gtest/gtest.h>

#include <string>

namespace tovi {
namespace {

// The state with members in the given groups (1..6), one each.
TournamentState WithGroups(std::initializer_list<int> groups) {
    TournamentState state;
    int position = 0;
    for (const int g : groups)
        state.groupList[static_cast<std::size_t>(g)].push_back(std::to_string(position++));
    return state;
}

TEST(StartHoles, SpreadEvenlyOverTheCourseForEveryGroupAndHoleCount) {
    // 1 + floor((g - 1) x N / G) written out: each row the start holes of
    // groups 1..G on a course of N holes, for N = 1..12.
    const std::vector<std::vector<int>> byGroups[] = {
        // G = 1: every course starts at 1.
        {{1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}},
        // G = 2
        {{1, 1},
         {1, 2},
         {1, 2},
         {1, 3},
         {1, 3},
         {1, 4},
         {1, 4},
         {1, 5},
         {1, 5},
         {1, 6},
         {1, 6},
         {1, 7}},
        // G = 3
        {{1, 1, 1},
         {1, 1, 2},
         {1, 2, 3},
         {1, 2, 3},
         {1, 2, 4},
         {1, 3, 5},
         {1, 3, 5},
         {1, 3, 6},
         {1, 4, 7},
         {1, 4, 7},
         {1, 4, 8},
         {1, 5, 9}},
        // G = 4
        {{1, 1, 1, 1},
         {1, 1, 2, 2},
         {1, 1, 2, 3},
         {1, 2, 3, 4},
         {1, 2, 3, 4},
         {1, 2, 4, 5},
         {1, 2, 4, 6},
         {1, 3, 5, 7},
         {1, 3, 5, 7},
         {1, 3, 6, 8},
         {1, 3, 6, 9},
         {1, 4, 7, 10}},
        // G = 5
        {{1, 1, 1, 1, 1},
         {1, 1, 1, 2, 2},
         {1, 1, 2, 2, 3},
         {1, 1, 2, 3, 4},
         {1, 2, 3, 4, 5},
         {1, 2, 3, 4, 5},
         {1, 2, 3, 5, 6},
         {1, 2, 4, 5, 7},
         {1, 2, 4, 6, 8},
         {1, 3, 5, 7, 9},
         {1, 3, 5, 7, 9},
         {1, 3, 5, 8, 10}},
        // G = 6
        {{1, 1, 1, 1, 1, 1},
         {1, 1, 1, 2, 2, 2},
         {1, 1, 2, 2, 3, 3},
         {1, 1, 2, 3, 3, 4},
         {1, 1, 2, 3, 4, 5},
         {1, 2, 3, 4, 5, 6},
         {1, 2, 3, 4, 5, 6},
         {1, 2, 3, 5, 6, 7},
         {1, 2, 4, 5, 7, 8},
         {1, 2, 4, 6, 7, 9},
         {1, 2, 4, 6, 8, 10},
         {1, 3, 5, 7, 9, 11}},
    };
    const std::initializer_list<int> groups[] = {{1},          {1, 2},          {1, 2, 3},
                                                 {1, 2, 3, 4}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6}};
    for (std::size_t g = 0; g < 6; ++g) {
        const TournamentState state = WithGroups(groups[g]);
        for (int holes = 1; holes <= 12; ++holes) {
            SCOPED_TRACE(std::to_string(g + 1) + " groups on " + std::to_string(holes));
            const std::array<int, MaxGroups> starts = SpreadStartHoles(state, holes);
            const std::vector<int>& expected = byGroups[g][static_cast<std::size_t>(holes - 1)];
            for (std::size_t i = 0; i < MaxGroups; ++i)
                EXPECT_EQ(starts[i], i < expected.size() ? expected[i] : 1) << "group " << i + 1;
        }
    }
    // Groups without members are skipped: the groups with members are
    // counted in turn.
    EXPECT_EQ(SpreadStartHoles(WithGroups({2, 5, 6}), 9), (std::array<int, 6>{1, 1, 1, 1, 4, 7}));
    EXPECT_EQ(SpreadStartHoles(WithGroups({}), 8), (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(SpreadStartHoles(WithGroups({1, 2}), 0), (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
}

TEST(StartHoles, NumbersGoRoundAfterTheLastHole) {
    const struct {
        int start;
        int holes;
        std::vector<int> numbers;
    } cases[] = {
        {1, 8, {1, 2, 3, 4, 5, 6, 7, 8}},
        {7, 8, {7, 8, 1, 2, 3, 4, 5, 6}},
        {8, 8, {8, 1, 2, 3, 4, 5, 6, 7}},
        {12, 10, {12, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  // past the course: round at once
        {0, 3, {0, 1, 2}},
        {5, 0, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SheetHoleNumbers(c.start, c.holes), c.numbers);

    StartHoles starts;
    starts.perGroup = true;
    starts.groups = {7, std::nullopt, 3};
    // Group 1 from 7 on 8 holes; group 2 prints none; group 3 from 3; a
    // group out of range and a column past the course count from 1.
    const struct {
        int group;
        int column;
        int printed;
    } printed[] = {{1, 0, 7}, {1, 1, 8}, {1, 2, 1}, {1, 7, 6}, {2, 4, 5},
                   {3, 0, 3}, {3, 6, 1}, {0, 2, 3}, {7, 2, 3}, {1, 8, 9}};
    for (const auto& p : printed)
        EXPECT_EQ(PrintedHoleNumber(starts, p.group, p.column, 8), p.printed)
            << p.group << "/" << p.column;
}

}  // namespace
}  // namespace tovi
