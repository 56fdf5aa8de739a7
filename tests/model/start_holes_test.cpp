#include "model/start_holes.h"

#include <gtest/gtest.h>

#include <sstream>
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
    // 1 + floor((g - 1) x N / G) written out: for G = 1..6 groups, the start
    // holes of groups 1..G on a course of N = 1..12 holes, a word for each N.
    const char* const byGroups[] = {
        "1 1 1 1 1 1 1 1 1 1 1 1",
        "11 12 12 13 13 14 14 15 15 16 16 17",
        "111 112 123 123 124 135 135 136 147 147 148 159",
        "1111 1122 1123 1234 1234 1245 1246 1357 1357 1368 1369 147A",
        "11111 11122 11223 11234 12345 12345 12356 12457 12468 13579 13579 1358A",
        "111111 111222 112233 112334 112345 123456 123456 123567 124578 124679 12468A "
        "13579B",
    };
    for (std::size_t g = 0; g < 6; ++g) {
        TournamentState state;
        for (std::size_t i = 0; i <= g; ++i) state.groupList[i + 1] = {std::to_string(i)};
        std::istringstream words(byGroups[g]);
        for (int holes = 1; holes <= 12; ++holes) {
            std::string word;
            words >> word;
            std::string got;
            for (const int start : SpreadStartHoles(state, holes))
                if (got.size() <= g) got += start < 10 ? char('0' + start) : char('A' + start - 10);
            EXPECT_EQ(got, word) << g + 1 << " groups on " << holes;
            // The groups without members start at 1.
            for (std::size_t i = g + 1; i < MaxGroups; ++i)
                EXPECT_EQ(SpreadStartHoles(state, holes)[i], 1);
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
