#include "results/score_card.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "results/card_builder.h"

namespace tovi {
namespace {

TEST(ResultMemberKeys, IdenticalLinesAreCountedInRosterOrder) {
    const std::vector<std::string> lines = {"a,t,x", "b,t,x", "a,t,x", "", "a,t,x", ""};
    const std::vector<MemberKey> expected = {{"a,t,x", 1}, {"b,t,x", 1}, {"a,t,x", 2},
                                             {"", 1},      {"a,t,x", 3}, {"", 2}};
    EXPECT_EQ(MemberKeys(lines), expected);
}

TEST(ResultScoreCard, SetRefusesCellsAndStrokesOutOfRangeAndChangesNothing) {
    const struct {
        int round, hole;
        std::optional<int> strokes;
        bool accepted;
    } cases[] = {
        {0, 0, 1, true},    {3, 11, 99, true}, {3, 11, std::nullopt, true}, {0, 0, 0, false},
        {0, 0, 100, false}, {0, 0, -1, false}, {-1, 0, 5, false},           {4, 0, 5, false},
        {0, -1, 5, false},  {0, 12, 5, false}, {4, 0, std::nullopt, false},
    };
    for (const auto& c : cases) {
        ScoreCard card = CardOf({{7}});
        const ScoreCard before = card;
        EXPECT_EQ(card.Set(c.round, c.hole, c.strokes), c.accepted)
            << c.round << "/" << c.hole << "/" << c.strokes.value_or(0);
        if (c.accepted) {
            EXPECT_EQ(card.Strokes(c.round, c.hole), c.strokes);
        } else {
            EXPECT_EQ(card, before);
        }
    }
}

TEST(ResultSumCard, SumsOnlyTheRoundsAndHolesShown) {
    // Round 1: 1 2 3 4 5 and a hole in one on hole 12; round 2 has a gap.
    const ScoreCard card = CardOf({{1, 2, 3, 4, 5, 0, 0, 0, 0, 0, 0, 1}, {2, 0, 2}, {9}});
    const struct {
        const char* what;
        ResultSettings settings;
        int holes;
        CardSums expected;
    } cases[] = {
        {"one round of five holes", {1, 0}, 5, {{15}, 15, {1, 1, 1, 1}, 15, true}},
        {"the deduction per hole in one", {1, 2}, 5, {{15}, 15, {1, 1, 1, 1}, 13, true}},
        {"hole 12 shown: the gap makes it incomplete",
         {1, 1},
         12,
         {{16}, 16, {2, 1, 1, 1}, 14, false}},
        {"two rounds: the gap in round 2", {2, 0}, 3, {{6, 4}, 10, {1, 3, 1, 0}, 10, false}},
        {"round 3, hidden above, counts once shown",
         {3, 0},
         1,
         {{1, 2, 9}, 12, {1, 1, 0, 0}, 12, true}},
        {"holes below 1 count as 1", {1, 3}, 0, {{1}, 1, {1, 0, 0, 0}, -2, true}},
        {"holes above 12 count as 12", {1, 0}, 13, {{16}, 16, {2, 1, 1, 1}, 16, false}},
        {"rounds above 4 count as 4", {9, 0}, 1, {{1, 2, 9, 0}, 12, {1, 1, 0, 0}, 12, false}},
    };
    for (const auto& c : cases) EXPECT_EQ(SumCard(card, c.settings, c.holes), c.expected) << c.what;
}

}  // namespace
}  // namespace tovi
