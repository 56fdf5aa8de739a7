#include "model/roster_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"

namespace tovi {
namespace {

using Fields = std::vector<std::string>;

// Fields as a readable list for failure messages (CP932 shown as UTF-8).
std::string Show(const Fields& fields) {
    std::string out = "[";
    for (const auto& f : fields) out += "<" + Cp932ToUtf8(f) + ">";
    return out + "]";
}

TEST(IsLeadByte, CoversBothRangesAndNothingElse) {
    for (int b = 0; b < 256; ++b) {
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), lead) << b;
    }
}

TEST(SplitCommaText, FollowsTheCommaTextRule) {
    const struct {
        const char* what;
        std::string line;
        Fields fields;
    } cases[] = {
        {"registration line: nine fields, the last empty",
         Utf8ToCp932("山田　花子,東町,女,0,0,0,0,0,"),
         {Utf8ToCp932("山田　花子"), Utf8ToCp932("東町"), Utf8ToCp932("女"), "0", "0", "0", "0",
          "0", ""}},
        {"half-width space splits the name",
         Utf8ToCp932("A B,東町,男,0,0,0,0,0,"),
         {"A", "B", Utf8ToCp932("東町"), Utf8ToCp932("男"), "0", "0", "0", "0", "0", ""}},
        {"full-width space is part of the field",
         Utf8ToCp932("山　田,x"),
         {Utf8ToCp932("山　田"), "x"}},
        {"empty line", "", {}},
        {"separators only", " \t\x01 ", {}},
        {"leading separators skipped", "  \t a", {"a"}},
        {"empty field between commas", "a,,b", {"a", "", "b"}},
        {"leading comma", ",a", {"", "a"}},
        {"comma alone", ",", {"", ""}},
        {"comma as last byte appends an empty field", "a,", {"a", ""}},
        {"separators after the last comma add nothing", "a, ", {"a"}},
        {"separators around a comma", "a , b", {"a", "b"}},
        {"separators between two commas", "a, ,b", {"a", "", "b"}},
        {"control bytes separate", "a\x01\x1f,b\tc", {"a", "b", "c"}},
        {"quoted field with space and comma", "\"a b,c\",d", {"a b,c", "d"}},
        {"doubled quotes stand for one", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"quoted empty field", "\"\",x", {"", "x"}},
        {"quoted field of one quote", "\"\"\"\"", {"\""}},
        {"text right after a closing quote is a new field", "\"ab\"cd,ef", {"ab", "cd", "ef"}},
        {"quote inside a plain field is ordinary", "ab\"cd,e", {"ab\"cd", "e"}},
        {"unterminated quoted field runs to the end", "\"ab,c d", {"ab,c d"}},
        {"unterminated quoted field keeps its last byte", "x,\"abc", {"x", "abc"}},
        {"lone lead byte at the end of a plain field", "ab\x81", {"ab\x81"}},
        {"lone lead byte as the whole line", "\x81", {"\x81"}},
        {"lone lead byte at the end of a quoted field", "\"a\x81", {"a\x81"}},
        {"second byte of a double-byte character is never a comma", "\x81,b,c", {"\x81,b", "c"}},
        {"second byte of a double-byte character is never a space", "\x81 b", {"\x81 b"}},
        {"second byte of a double-byte character is never a quote",
         "\"\x81\"\",x",
         {"\x81\"", "x"}},
        {"single-byte katakana and bytes FD..FF are ordinary",
         "\xA0\xDF,\xFD\xFF",
         {"\xA0\xDF", "\xFD\xFF"}},
        {"NUL ends the line", std::string("a,b\0c,d", 7), {"a", "b"}},
    };
    for (const auto& c : cases) {
        const Fields got = SplitCommaText(c.line);
        EXPECT_EQ(got, c.fields) << c.what << ": got " << Show(got);
    }
}

TEST(BlankRosterTable, BlanksColumnsOneToEightOfRowsZeroToForty) {
    TournamentState state;
    for (auto& row : state.rosterTable) row.fill("x");
    BlankRosterTable(state);
    for (int r = 0; r < kTableRows; ++r) {
        for (int c = 0; c < kTableColumns; ++c) {
            const bool blanked = r < kBlankedTableRows && c >= 1;
            EXPECT_EQ(state.rosterTable[r][c], blanked ? cp932::kIdeographicSpace : "x")
                << "row " << r << " column " << c;
        }
    }
}

TEST(ParseRoster, FillsColumnsZeroToSixAndLeavesTheRestAlone) {
    TournamentState state;
    for (auto& row : state.rosterTable) row.fill("x");
    state.rosterList = {Utf8ToCp932("山田,東町,女,0,0,0,0,0,"), "", "a,b", "1,2,3,4,5,6,7,8,9"};
    BlankRosterTable(state);
    ParseRoster(state);

    const std::string blank = cp932::kIdeographicSpace;
    const RosterRow expected[] = {
        {Utf8ToCp932("山田"), Utf8ToCp932("東町"), Utf8ToCp932("女"), "0", "0", "0", "0", blank,
         blank},
        {"", "", "", "", "", "", "", blank, blank},
        {"a", "b", "", "", "", "", "", blank, blank},
        {"1", "2", "3", "4", "5", "6", "7", blank, blank},
        // Beyond the roster: the old name stays, the rest is blank.
        {"x", blank, blank, blank, blank, blank, blank, blank, blank},
    };
    for (std::size_t r = 0; r < std::size(expected); ++r)
        EXPECT_EQ(state.rosterTable[r], expected[r]) << "row " << r;
    EXPECT_EQ(state.rosterTable[kBlankedTableRows - 1][1], blank);
    EXPECT_EQ(state.rosterTable[kBlankedTableRows][1], "x");
}

TEST(ParseRoster, FullRosterFillsRowsZeroToThirtyNine) {
    TournamentState state;
    for (int i = 0; i < MemberCapacity; ++i)
        state.rosterList.push_back("m" + std::to_string(i) + ",t," + cp932::kMale);
    BlankRosterTable(state);
    ParseRoster(state);
    EXPECT_EQ(state.rosterTable[39][0], "m39");
    EXPECT_EQ(state.rosterTable[39][2], cp932::kMale);
    EXPECT_EQ(state.rosterTable[40][0], "");
    EXPECT_EQ(state.rosterTable[40][2], cp932::kIdeographicSpace);
}

// A state whose rows 0..44 hold the given genders.
TournamentState WithGenders(const std::string& gender) {
    TournamentState state;
    for (int i = 0; i < kTalliedSlots; ++i) state.rosterTable[i][2] = gender;
    return state;
}

TEST(ComputeTallies, ListsMemberNumbersInRosterOrder) {
    TournamentState state;
    state.rosterTable[1][2] = cp932::kMale;
    state.rosterTable[4][2] = cp932::kFemale;
    state.entryFlag[1] = 1;
    state.entryFlag[4] = 1;
    state.placedFlag[4] = 1;
    state.placedFlag[44] = 1;
    state.placedFlag[45] = 1;  // beyond the scanned slots
    state.entryFlag[7] = 2;    // only the value 1 counts

    ComputeTallies(state);
    ComputeTallies(state);  // a second run rebuilds, it does not append

    EXPECT_EQ(state.entryList, (std::vector<int>{2, 5}));
    EXPECT_EQ(state.entryCount, 2);
    EXPECT_EQ(state.maleList, (std::vector<int>{2}));
    EXPECT_EQ(state.maleCount, 1);
    EXPECT_EQ(state.femaleList, (std::vector<int>{5}));
    EXPECT_EQ(state.femaleCount, 1);
    EXPECT_EQ(state.placedList, (std::vector<int>{5, 45}));
    EXPECT_EQ(state.placedCount, 2);
}

TEST(ComputeTallies, EveryGenderCellOtherThanMaleCountsAsFemale) {
    const struct {
        std::string gender;
        bool male;
    } cases[] = {{cp932::kMale, true},
                 {cp932::kFemale, false},
                 {"", false},
                 {cp932::kIdeographicSpace, false},
                 {std::string(cp932::kMale) + " ", false},
                 {Utf8ToCp932("東町"), false}};
    for (const auto& c : cases) {
        TournamentState state = WithGenders(c.gender);
        state.entryFlag[3] = 1;
        ComputeTallies(state);
        EXPECT_EQ(state.maleCount, c.male ? 1 : 0) << Cp932ToUtf8(c.gender);
        EXPECT_EQ(state.femaleCount, c.male ? 0 : 1) << Cp932ToUtf8(c.gender);
        EXPECT_EQ(state.entryCount, state.maleCount + state.femaleCount);
    }
}

TEST(ComputeTallies, AboveThirtySixPlayersLeavesLeadersAndGroupCountAlone) {
    const struct {
        int players;
        bool overLimit;
    } cases[] = {{36, false}, {37, true}, {45, true}};
    for (const auto& c : cases) {
        TournamentState state = WithGenders(cp932::kMale);
        for (int i = 0; i < c.players; ++i) state.entryFlag[i] = 1;
        state.leaderFlag[0] = state.leaderFlag[1] = 1;
        state.leaderCount = 9;  // the value of an earlier tally

        const TallyResult result = ComputeTallies(state);

        EXPECT_EQ(result.overLimit, c.overLimit) << c.players;
        EXPECT_EQ(state.entryCount, c.players);
        EXPECT_EQ(state.entryList.size(), static_cast<std::size_t>(c.players));
        EXPECT_EQ(state.maleCount, c.players);
        if (c.overLimit) {
            EXPECT_EQ(state.leaderCount, 9) << c.players;
            EXPECT_FALSE(result.groupCountText.has_value()) << c.players;
        } else {
            EXPECT_EQ(state.leaderCount, 2) << c.players;
            EXPECT_EQ(result.groupCountText, "2") << c.players;
        }
    }
}

TEST(ComputeTallies, NoMembersGivesZerosAndAnEmptyGroupCount) {
    TournamentState state;
    state.leaderCount = 4;
    const TallyResult result = ComputeTallies(state);
    EXPECT_FALSE(result.overLimit);
    EXPECT_EQ(result.groupCountText, "");
    for (const int count : {state.entryCount, state.maleCount, state.femaleCount, state.placedCount,
                            state.leaderCount})
        EXPECT_EQ(count, 0);
    EXPECT_TRUE(state.entryList.empty());
    EXPECT_TRUE(state.placedList.empty());
}

TEST(ComputeTallies, CountsLeadersInTheFirstFortySlots) {
    TournamentState state;
    state.leaderFlag[0] = state.leaderFlag[17] = state.leaderFlag[39] = 1;
    state.leaderFlag[40] = 1;  // not a member position that leads
    state.leaderFlag[5] = 3;   // only the value 1 counts
    const TallyResult result = ComputeTallies(state);
    EXPECT_EQ(state.leaderCount, 3);
    EXPECT_EQ(result.groupCountText, "3");
}

}  // namespace
}  // namespace tovi
