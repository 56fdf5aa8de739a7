// 組み合わせ表: the groups read from the meeting as CSV bytes, and the page
// of six groups of six in large type.
#include "sheets/pairing_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "sheets/ranking_sheet.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

// Member p is "選手p" of team "Tp".
TournamentState Meeting(const std::vector<std::vector<std::string>>& groups,
                        const std::vector<int>& leaders) {
    TournamentState state;
    for (std::size_t p = 0; p < 40; ++p) {
        state.rosterTable[p][0] = Utf8ToCp932("選手" + std::to_string(p));
        state.rosterTable[p][1] = "T" + std::to_string(p);
    }
    for (std::size_t g = 0; g < groups.size(); ++g) state.groupList[g + 1] = groups[g];
    for (const int p : leaders) state.leaderFlag[static_cast<std::size_t>(p)] = 1;
    return state;
}

TEST(PairingSheet, CsvOfTheGroupsWithMembersTheirStartsAndLeaders) {
    StartHoles starts;
    starts.groups = {1, 4, 7, std::nullopt, std::nullopt, 12};
    const struct {
        const char* name;
        std::vector<std::vector<std::string>> groups;
        std::vector<int> leaders;
        StartHoles starts;
        std::string csv;  // UTF-8, after the header
    } cases[] = {
        {"start holes, group 2 empty, the leader second",
         {{"3", "1"}, {}, {"0", "5"}},
         {1},
         starts,
         "1,1,1,選手3,T3,\r\n1,1,2,選手1,T1,リーダ\r\n3,7,1,選手0,T0,\r\n3,7,2,選手5,T5,\r\n"},
        {"no hole numbers, two leaders: the first leads",
         {{}, {}, {}, {"4", "9", "8"}, {}, {"x"}},
         {9, 8},
         StartHoles{},
         "4,,1,選手4,T4,\r\n4,,2,選手9,T9,リーダ\r\n4,,3,選手8,T8,\r\n6,,1,,,\r\n"},
        {"no group has members", {{}, {}}, {0}, starts, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PairingSheet sheet = MakePairingSheet(Meeting(c.groups, c.leaders), {}, c.starts);
        EXPECT_EQ(sheet.groups.size(), std::count_if(c.groups.begin(), c.groups.end(),
                                                     [](const auto& g) { return !g.empty(); }));
        EXPECT_EQ(FormatPairingCsv(sheet),
                  Utf8ToCp932("組,スタート,順,氏名,チーム,リーダ\r\n" + c.csv));
    }
}

TEST(PairingSheet, SixGroupsOfSixOnOnePageInTypeOfFourteenPointsAndMore) {
    std::vector<std::vector<std::string>> groups(6);
    for (int p = 0; p < 36; ++p)
        groups[static_cast<std::size_t>(p / 6)].push_back(std::to_string(p));
    TournamentState state = Meeting(groups, {0, 6, 12, 18, 24, 30});
    state.rosterTable[35][0] = Utf8ToCp932("長谷川あいうえ");  // the longest name typed, 14 bytes
    const PairingPrintedList list(
        MakePairingSheet(state, {Utf8ToCp932("秋季親睦会"), "7", "10", "5"}, StartHoles{}));
    ASSERT_EQ(list.Pages(), 1);

    // A4 at 600 dots per inch less 15 mm margins all round.
    const int width = 4251, height = 6307;
    test::RecordingSurface page;
    list.DrawPage(page, RankingSheetScale(width, height), 0);
    std::map<std::string, int> names;
    int groupHeight = 0, nameHeight = 0;
    for (const test::TextCall& t : page.texts) {
        const std::string text = Cp932ToUtf8(t.text);
        // Within the page, a CP932 byte half a cell wide.
        EXPECT_LE(t.x + static_cast<int>(t.text.size()) * t.height / 2, width) << text;
        EXPECT_LE(t.y + t.height, height) << text;
        if (text == "1組") groupHeight = t.height;
        if (text.starts_with("選手") || text == "長谷川あいうえ") {
            ++names[text];
            nameHeight = t.height;
            EXPECT_GE(t.height * 72.0 / 600, 14.0) << text;
        }
    }
    EXPECT_EQ(names.size(), 36u);
    for (const auto& [name, times] : names) EXPECT_EQ(times, 1) << name;
    EXPECT_GT(groupHeight, nameHeight);
    for (const char* text : {"組み合わせ表", "秋季親睦会", "6組"})
        EXPECT_NE(page.FindText(text), nullptr) << text;
}

}  // namespace
}  // namespace tovi
