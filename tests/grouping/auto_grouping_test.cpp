#include "grouping/auto_grouping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "grouping/grouping_fixture.h"
#include "model/int_conversion.h"

namespace tovi {
namespace {

using testing::FakeClock;
using testing::Groups;
using testing::GroupsOf;
using testing::MakeRoster;
using testing::ScriptedRandom;

// Placements left over from an earlier grouping, so that a test can tell
// whether a run touched them.
void AddEarlierGrouping(TournamentState& state) {
    state.groupList[1] = {"5"};
    state.groupList[3] = {"1", "2"};
    state.placedFlag[1] = state.placedFlag[2] = state.placedFlag[5] = 1;
    state.placedFlag[68] = 1;
}

std::vector<int> PlacedPositions(const TournamentState& state) {
    std::vector<int> placed;
    for (int p = 0; p < kFlagSlots; ++p) {
        if (state.placedFlag[static_cast<std::size_t>(p)] != 0) placed.push_back(p);
    }
    return placed;
}

std::vector<int> GroupedPositions(const TournamentState& state) {
    std::vector<int> grouped;
    for (int g = 1; g <= MaxGroups; ++g) {
        for (const auto& entry : state.groupList[static_cast<std::size_t>(g)]) {
            grouped.push_back(StrToInt(entry));
        }
    }
    std::sort(grouped.begin(), grouped.end());
    return grouped;
}

std::string Players(int count) {
    std::string code;
    for (int i = 0; i < count; ++i) code += i % 2 == 0 ? 'm' : 'f';
    return code;
}

TEST(LcgRandom, FirstDrawsFollowTheGenerator) {
    // Worked out from state = state * 22695477 + 1 mod 2^32, bits 16..30.
    const struct {
        std::uint32_t seed;
        std::vector<int> draws;
    } cases[] = {
        {0, {0, 346, 130, 10982, 1090}},
        {1, {346, 130, 10982, 1090, 11656}},
        {1700000000, {18382, 27381, 8621, 85, 10834}},
    };
    for (const auto& c : cases) {
        LcgRandom random;
        random.Seed(c.seed);
        std::vector<int> draws;
        for (std::size_t i = 0; i < c.draws.size(); ++i) draws.push_back(random.Next());
        EXPECT_EQ(draws, c.draws) << "seed " << c.seed;
    }
}

TEST(AutomaticGrouping, SeedsWithWholeSecondsAndDiscardsOneDrawBeforeAnyCheck) {
    TournamentState state = MakeRoster("---");
    ScriptedRandom random;
    FakeClock clock(1234567);
    const auto outcome = RunAutomaticGrouping(state, "2", true, random, clock);
    EXPECT_EQ(outcome.stage, GroupingStage::Refused);
    EXPECT_EQ(random.seeds, std::vector<std::uint32_t>{1234567});
    EXPECT_EQ(random.drawsAtSeed, std::vector<std::size_t>{0});
    EXPECT_EQ(random.draws, 1u);
}

TEST(AutomaticGrouping, ChecksRunInOrderAndChangeNothing) {
    const std::string thirteenWithTwoLeaders = "MF" + Players(11);
    const struct {
        const char* name;
        std::string roster;
        std::string text;
        GroupingNotice notice;
    } cases[] = {
        {"no players", "---", "2", GroupingNotice::NoPlayers},
        {"no players before empty count", "---", "", GroupingNotice::NoPlayers},
        {"no players before a bad number", "---", "x", GroupingNotice::NoPlayers},
        {"empty count", "mmf", "", GroupingNotice::NoGroupCount},
        {"seven groups", "mmf", "7", GroupingNotice::TooManyGroups},
        {"far too many groups", "mmf", "99", GroupingNotice::TooManyGroups},
        {"too many groups before leaders", thirteenWithTwoLeaders, "7",
         GroupingNotice::TooManyGroups},
        {"13 players, 2 leaders", thirteenWithTwoLeaders, "2", GroupingNotice::TooFewLeaders},
        {"leaders short, any count", thirteenWithTwoLeaders, "6", GroupingNotice::TooFewLeaders},
        {"leaders short, zero groups", thirteenWithTwoLeaders, "0", GroupingNotice::TooFewLeaders},
    };
    for (const auto& c : cases) {
        for (const bool balanced : {false, true}) {
            TournamentState state = MakeRoster(c.roster);
            AddEarlierGrouping(state);
            const TournamentState before = state;
            ScriptedRandom random;
            FakeClock clock;
            const auto outcome = RunAutomaticGrouping(state, c.text, balanced, random, clock);
            SCOPED_TRACE(std::string(c.name) + (balanced ? " balanced" : " plain"));
            EXPECT_EQ(outcome.stage, GroupingStage::Refused);
            EXPECT_EQ(outcome.notice, c.notice);
            EXPECT_EQ(state.groupList, before.groupList);
            EXPECT_EQ(state.placedFlag, before.placedFlag);
        }
    }
}

TEST(AutomaticGrouping, NonIntegerCountThrowsWithTheTextAndChangesNothing) {
    const std::string texts[] = {"x", Utf8ToCp932("１"), " 2", "2a", "+2"};
    for (const auto& text : texts) {
        TournamentState state = MakeRoster("mmf");
        AddEarlierGrouping(state);
        const TournamentState before = state;
        ScriptedRandom random;
        FakeClock clock;
        try {
            RunAutomaticGrouping(state, text, true, random, clock);
            ADD_FAILURE() << "accepted " << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Text(), text);
        }
        EXPECT_EQ(state.groupList, before.groupList) << text;
        EXPECT_EQ(state.placedFlag, before.placedFlag) << text;
    }
}

TEST(AutomaticGrouping, DrawsEntryNumberModuloPoolSize) {
    // The first value is the draw discarded after seeding.  Pool 0..4:
    // 3 mod 5 -> "3"; 3 mod 4 -> "4"; 3 mod 3 -> "0"; 3 mod 2 -> "2"; then "1".
    TournamentState state = MakeRoster("mmmmm");
    ScriptedRandom random({4, 3, 3, 3, 3, 3});
    FakeClock clock;
    const auto outcome = RunAutomaticGrouping(state, "1", false, random, clock);
    EXPECT_EQ(outcome.stage, GroupingStage::Redraw);
    EXPECT_EQ(state.groupList[1], (std::vector<std::string>{"3", "4", "0", "2", "1"}));
}

TEST(AutomaticGrouping, DealsRoundTheGroupsInDrawOrder) {
    // With every draw 0 the pool is taken from its front, so the deal shows
    // the order of the pools and of the round.
    const struct {
        const char* name;
        const char* roster;
        const char* text;
        bool balanced;
        Groups groups;
    } cases[] = {
        {"7 in 2, plain",
         "mmmmmmm",
         "2",
         false,
         {{"0", "2", "4", "6"}, {"1", "3", "5"}, {}, {}, {}, {}}},
        {"non-players left out", "m-f-mf", "2", false, {{"0", "4"}, {"2", "5"}, {}, {}, {}, {}}},
        {"4 men 5 women in 3, balanced",
         "mmmmfffff",
         "3",
         true,
         {{"0", "3", "6"}, {"1", "4", "7"}, {"2", "5", "8"}, {}, {}, {}}},
        {"men dealt before women", "ffmm", "2", true, {{"2", "0"}, {"3", "1"}, {}, {}, {}, {}}},
        {"empty gender dealt with the women",
         "mmmx",
         "2",
         true,
         {{"0", "2"}, {"1", "3"}, {}, {}, {}, {}}},
        {"other gender dealt with the women",
         "ymmm",
         "2",
         true,
         {{"1", "3"}, {"2", "0"}, {}, {}, {}, {}}},
        {"leaders head, plain",
         "mMfFm-f",
         "2",
         false,
         {{"1", "0", "4"}, {"3", "2", "6"}, {}, {}, {}, {}}},
        {"leaders head, balanced",
         "MmfFmf",
         "2",
         true,
         {{"0", "1", "2"}, {"3", "4", "5"}, {}, {}, {}, {}}},
        {"10 with 2 leaders: leader and four",
         "mfMmfmFfmf",
         "2",
         false,
         {{"2", "0", "3", "5", "8"}, {"6", "1", "4", "7", "9"}, {}, {}, {}, {}}},
        {"six groups of one", "mfmfmf", "6", true, {{"0"}, {"2"}, {"4"}, {"1"}, {"3"}, {"5"}}},
    };
    for (const auto& c : cases) {
        TournamentState state = MakeRoster(c.roster);
        ScriptedRandom random;
        FakeClock clock;
        const auto outcome = RunAutomaticGrouping(state, c.text, c.balanced, random, clock);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcome.stage, GroupingStage::Redraw);
        EXPECT_EQ(outcome.notice, GroupingNotice::None);
        EXPECT_EQ(GroupsOf(state), c.groups);
    }
}

TEST(AutomaticGrouping, BalancedModeShufflesEachGroupAfterDealing) {
    // Men 0,1 then women 2,3 into one group: draws 1,0 | 0,0 deal 1,0,2,3;
    // the shuffle then draws 2,2,1,0 from that order: 2,3,0,1.
    TournamentState state = MakeRoster("mmff");
    ScriptedRandom random({0, 1, 0, 0, 0, 2, 2, 1, 0});
    FakeClock clock;
    RunAutomaticGrouping(state, "1", true, random, clock);
    EXPECT_EQ(state.groupList[1], (std::vector<std::string>{"2", "3", "0", "1"}));
}

TEST(AutomaticGrouping, LeaderForEachGroupComesFromTheMillisecondReadForIt) {
    // Leaders 0, 2, 4; the pool shrinks by one leader per group.
    const struct {
        std::vector<int> milliseconds;
        std::vector<std::string> leaders;  // heads of groups 1..3
    } cases[] = {
        {{0, 0, 0}, {"0", "2", "4"}},
        {{1, 1, 1}, {"2", "4", "0"}},
        {{5, 3, 0}, {"4", "2", "0"}},
        {{999, 500, 7}, {"0", "2", "4"}},
    };
    for (const auto& c : cases) {
        for (const bool balanced : {false, true}) {
            TournamentState state = MakeRoster("MmFmMm");
            ScriptedRandom random;
            FakeClock clock(0, c.milliseconds);
            const auto outcome = RunAutomaticGrouping(state, "3", balanced, random, clock);
            ASSERT_EQ(outcome.stage, GroupingStage::Redraw);
            std::vector<std::string> heads;
            for (int g = 1; g <= 3; ++g) {
                const auto& group = state.groupList[static_cast<std::size_t>(g)];
                ASSERT_EQ(group.size(), 2u);
                heads.push_back(group.front());
            }
            EXPECT_EQ(heads, c.leaders) << c.milliseconds[0] << (balanced ? " balanced" : " plain");
            EXPECT_EQ(clock.reads, 3u);
        }
    }
}

TEST(AutomaticGrouping, RunsWithinOneSecondDealAlike) {
    for (const bool balanced : {false, true}) {
        TournamentState first = MakeRoster("mfMmfmFfmfmf");
        TournamentState second = first;
        LcgRandom random;  // one generator for both runs: each run reseeds it
        FakeClock clock(1700000000, {321});
        RunAutomaticGrouping(first, "2", balanced, random, clock);
        RunAutomaticGrouping(second, "2", balanced, random, clock);
        EXPECT_EQ(GroupsOf(first), GroupsOf(second)) << balanced;

        TournamentState later = MakeRoster("mfMmfmFfmfmf");
        FakeClock nextSecond(1700000001, {321});
        RunAutomaticGrouping(later, "2", balanced, random, nextSecond);
        EXPECT_NE(GroupsOf(first), GroupsOf(later)) << balanced;
    }
}

TEST(AutomaticGrouping, CountOtherThanLeadersDealsThenReportsMismatch) {
    const struct {
        const char* text;
        bool balanced;
        std::vector<std::size_t> sizes;  // groups 1..6
    } cases[] = {
        {"3", false, {3, 3, 2, 0, 0, 0}},
        {"3", true, {3, 3, 2, 0, 0, 0}},
        {"6", false, {2, 2, 1, 1, 1, 1}},
        {"1", false, {0, 0, 0, 0, 0, 0}},  // 8 members do not fit one group: none dealt
    };
    for (const auto& c : cases) {
        TournamentState state = MakeRoster("MFmmffmmff");  // leaders 0 and 1
        AddEarlierGrouping(state);
        LcgRandom random;
        FakeClock clock;
        const auto outcome = RunAutomaticGrouping(state, c.text, c.balanced, random, clock);
        SCOPED_TRACE(std::string(c.text) + (c.balanced ? " balanced" : " plain"));
        EXPECT_EQ(outcome.stage, GroupingStage::LeadersMismatch);
        EXPECT_EQ(outcome.notice, GroupingNotice::LeadersMismatch);
        std::vector<std::size_t> sizes;
        for (const auto& group : GroupsOf(state)) sizes.push_back(group.size());
        EXPECT_EQ(sizes, c.sizes);
        EXPECT_EQ(PlacedPositions(state), GroupedPositions(state));
        EXPECT_EQ(state.placedFlag[0], 0);
        EXPECT_EQ(state.placedFlag[1], 0);
    }
}

TEST(AutomaticGrouping, RunsThatEndWithEmptyGroups) {
    const std::string twelveWithTwoLeaders = "MF" + Players(10);
    const struct {
        const char* name;
        std::string roster;
        std::string text;
        bool balanced;
        GroupingStage stage;
        GroupingNotice notice;
    } cases[] = {
        {"37 players, 6 groups, plain", Players(37), "6", false, GroupingStage::ResetOnly,
         GroupingNotice::MoreGroupsNeeded},
        {"37 players, 6 groups, balanced", Players(37), "6", true, GroupingStage::Redraw,
         GroupingNotice::MoreGroupsNeeded},
        {"12 with 2 leaders in 1 group, balanced", twelveWithTwoLeaders, "1", true,
         GroupingStage::Redraw, GroupingNotice::LeadersShort},
        {"0 groups, plain", "mmmf", "0", false, GroupingStage::ResetOnly,
         GroupingNotice::MoreGroupsNeeded},
        {"-1 groups, plain", "mmmf", "-1", false, GroupingStage::ResetOnly,
         GroupingNotice::MoreGroupsNeeded},
        {"0 groups, balanced", "mmmf", "0", true, GroupingStage::Redraw,
         GroupingNotice::MoreGroupsNeeded},
        {"-1 groups, balanced", "mmmf", "-1", true, GroupingStage::Redraw,
         GroupingNotice::MoreGroupsNeeded},
        {"least integer, plain", "mmmf", "-2147483648", false, GroupingStage::ResetOnly,
         GroupingNotice::MoreGroupsNeeded},
        {"0 groups with leaders, plain", "MFmm", "0", false, GroupingStage::LeadersMismatch,
         GroupingNotice::LeadersMismatch},
        {"-1 groups with leaders, plain", "MFmm", "-1", false, GroupingStage::LeadersMismatch,
         GroupingNotice::LeadersMismatch},
        {"0 groups with leaders, balanced", "MFmm", "0", true, GroupingStage::Redraw,
         GroupingNotice::LeadersShort},
        {"least integer with leaders, balanced", "MFmm", "-2147483648", true, GroupingStage::Redraw,
         GroupingNotice::LeadersShort},
        {"0 groups, only leaders, plain", "MF", "0", false, GroupingStage::LeadersMismatch,
         GroupingNotice::LeadersMismatch},
        {"-1 groups, only leaders, plain", "MF", "-1", false, GroupingStage::LeadersMismatch,
         GroupingNotice::LeadersMismatch},
    };
    for (const auto& c : cases) {
        TournamentState state = MakeRoster(c.roster);
        AddEarlierGrouping(state);
        LcgRandom random;
        FakeClock clock;
        const auto outcome = RunAutomaticGrouping(state, c.text, c.balanced, random, clock);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcome.stage, c.stage);
        EXPECT_EQ(outcome.notice, c.notice);
        EXPECT_EQ(GroupsOf(state), Groups(MaxGroups));
        EXPECT_EQ(PlacedPositions(state), std::vector<int>{});
    }
}

TEST(AutomaticGrouping, EveryPlayerPlacedOnceAndOnlyPlacedMembersFlagged) {
    const std::string rosters[] = {
        "mmmmmmm",           "mfmfmfmfmfmf-",        "mmmmfffff",
        Players(36),         "-m-f-x-y-mf",          "MmFfMf-xy",
        "MFMmfmfmfmfmfmfmf", "MFMFMF" + Players(30), "FFF",
    };
    for (const auto& roster : rosters) {
        const TournamentState fresh = MakeRoster(roster);
        for (int groups = 1; groups <= MaxGroups; ++groups) {
            for (const bool balanced : {false, true}) {
                for (std::int64_t second = 0; second < 5; ++second) {
                    TournamentState state = fresh;
                    AddEarlierGrouping(state);
                    state.placedFlag[3] = 1;  // whether or not member 3 plays
                    LcgRandom random;
                    FakeClock clock(second, {static_cast<int>(second * 211)});
                    const auto outcome = RunAutomaticGrouping(state, std::to_string(groups),
                                                              balanced, random, clock);
                    SCOPED_TRACE(roster + " in " + std::to_string(groups) +
                                 (balanced ? " balanced" : " plain") + " at " +
                                 std::to_string(second));

                    EXPECT_EQ(PlacedPositions(state), GroupedPositions(state));
                    for (int g = 1; g <= MaxGroups; ++g) {
                        const auto size = state.groupList[static_cast<std::size_t>(g)].size();
                        EXPECT_LE(size, static_cast<std::size_t>(MaxGroupSize));
                        if (g > groups) {
                            EXPECT_EQ(size, 0u) << "group " << g;
                        }
                    }
                    if (outcome.stage != GroupingStage::Redraw ||
                        outcome.notice != GroupingNotice::None)
                        continue;

                    std::vector<int> players;
                    for (const int number : state.entryList) players.push_back(number - 1);
                    EXPECT_EQ(GroupedPositions(state), players);
                    std::size_t smallest = MaxGroupSize, largest = 0;
                    for (int g = 1; g <= groups; ++g) {
                        const auto& group = state.groupList[static_cast<std::size_t>(g)];
                        smallest = std::min(smallest, group.size());
                        largest = std::max(largest, group.size());
                        if (state.leaderCount == 0) continue;
                        ASSERT_FALSE(group.empty());
                        EXPECT_EQ(
                            state.leaderFlag[static_cast<std::size_t>(StrToInt(group.front()))], 1);
                        const auto leaders =
                            std::count_if(group.begin(), group.end(), [&](const std::string& e) {
                                return state.leaderFlag[static_cast<std::size_t>(StrToInt(e))] == 1;
                            });
                        EXPECT_EQ(leaders, 1) << "group " << g;
                    }
                    EXPECT_LE(largest - smallest, 1u);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tovi
