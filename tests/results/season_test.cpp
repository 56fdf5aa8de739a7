#include "season/season.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "core/file_io.h"
#include "results/card_builder.h"
#include "season/season_document.h"
#include "sheets/season_sheet.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using Texts = std::vector<std::string>;

// The roster line (CP932) of "name,team,gender".
std::string Member(const std::string& fields) { return Utf8ToCp932(fields + ",0,0,0,0,0,"); }

// A card of a meeting: "name,team,gender", its strokes, its seat's group
// (0 for none) and its occurrence.
struct Entry {
    std::string member;
    Strokes strokes;
    int group = 1;
    int occurrence = 1;
};

SeasonMeeting Meeting(const char* year, const char* month, const char* day, int holes, int rounds,
                      const std::vector<Entry>& entries) {
    SeasonMeeting meeting;
    meeting.heading = MeetingHeading{
        "", "", "", Utf8ToCp932(year), Utf8ToCp932(month), Utf8ToCp932(day), holes, {}};
    meeting.holes = holes;
    meeting.results.settings.rounds = rounds;
    for (const Entry& entry : entries) {
        const MemberKey key{Member(entry.member), entry.occurrence};
        meeting.results.cards[key] = CardOf(entry.strokes);
        if (entry.group != 0) meeting.results.seats.push_back({key, entry.group});
    }
    return meeting;
}

// Each player as name/gender/team/出場/ポイント/ラウンド/打数/一打.
Texts Described(const Season& season) {
    Texts players;
    for (const SeasonPlayer& p : season.players) {
        std::string text =
            Cp932ToUtf8(p.name) + "/" + Cp932ToUtf8(p.gender) + "/" + Cp932ToUtf8(p.team);
        for (const int n : {p.meetings, p.points, p.rounds, p.strokes, p.holesInOne})
            text += "/" + std::to_string(n);
        players.push_back(text);
    }
    return players;
}

TEST(Season, SumsThePlacesPointsRoundsAndHolesInOneOfEveryMeeting) {
    // Added first, held later: 一郎 and 五郎 tie for 1st, 花子 3rd.
    const SeasonMeeting may =
        Meeting("2026", "5", "3", 1, 1,
                {{"花子,西町,女", {{3}}}, {"一郎,東町,男", {{1}}}, {"五郎,南町,男", {{1}}}});
    // 花子 8, 一郎 9, 三郎 and 五郎 (not seated) 16 decided for 五郎, 次郎
    // missing a hole, 四郎 only beyond the two holes played.
    SeasonMeeting april = Meeting("2026", "4", "12", 2, 2,
                                  {{"一郎,東町,男", {{1, 2}, {3, 3}}},
                                   {"三郎,北町,男", {{4, 4}, {4, 4}}},
                                   {"花子,西町,女", {{2, 2}, {2, 2}}, 2},
                                   {"五郎,南町,男", {{4, 4}, {4, 4}}, 0},
                                   {"次郎,東町,男", {{3, 3}, {0, 3}}, 2},
                                   {"四郎,東町,男", {{0, 0, 5}}}});
    april.results.decisions = {{{Member("五郎,南町,男"), 1}, {Member("三郎,北町,男"), 1}}};
    const Season season = SumSeason({may, april}, {{5, 3, 1}, 2});
    EXPECT_EQ(season.meetingOrder, (std::vector<std::size_t>{1, 0}));
    // In April's 全体 order; 2 points a meeting and 5, 3, 1 for the first
    // three places, none for 4th or no place.
    EXPECT_EQ(Described(season), (Texts{"花子/女/西町/2/10/3/11/0", "一郎/男/東町/2/12/3/10/2",
                                        "五郎/男/南町/2/10/3/17/1", "三郎/男/北町/1/2/2/16/0",
                                        "次郎/男/東町/1/2/1/6/0"}));
    EXPECT_EQ(MeetingPlayers(april).at(2).name, Utf8ToCp932("五郎"));
    EXPECT_EQ(MeetingPlayerCount(april), 5);
}

TEST(Season, APlayerIsTheSameNameAndGenderWithTheTeamOfTheLatestMeeting) {
    const struct {
        std::vector<Entry> early, late;  // the late meeting is added first
        Texts players;
    } cases[] = {
        {{{"一郎,東町,男", {{3}}}},
         {{"一郎,東町,女", {{2}}}, {"一郎,東町,男", {{4}}}},
         {"一郎/男/東町/2/20/2/7/0", "一郎/女/東町/1/11/1/2/0"}},
        {{{"一郎,東町,男", {{3}}}}, {{"一郎,西町,男", {{3}}}}, {"一郎/男/西町/2/22/2/6/0"}},
        {{{"一郎,東町,男", {{3}}}}, {{"一郎,,男", {{3}}}}, {"一郎/男//2/22/2/6/0"}},
        // One name twice in a meeting: one attendance, the better place.
        {{{"一郎,東町,男", {{3}}}, {"一郎,東町,男", {{2}}, 1, 2}}, {}, {"一郎/男/東町/1/11/2/5/0"}},
    };
    for (const auto& c : cases) {
        const Season season = SumSeason(
            {Meeting("2026", "10", "1", 1, 1, c.late), Meeting("2026", "9", "30", 1, 1, c.early)},
            {});
        EXPECT_EQ(Described(season), c.players) << c.players.front();
    }
}

TEST(Season, MeetingsGoByTheirDateThenTheOrderAddedTheFirstFormatLast) {
    const auto dated = [](const char* year, const char* month, const char* day) {
        return Meeting(year, month, day, 8, 2, {});
    };
    const SeasonMeeting first;  // a first-format file: no heading
    const struct {
        std::vector<SeasonMeeting> meetings;
        std::vector<std::size_t> order;
    } cases[] = {
        {{dated("2026", "10", "1"), dated("2026", "9", "30"), dated("2025", "12", "31")},
         {2, 1, 0}},
        {{dated("2026", "4", "1"), dated("2026", "04", "01"), dated("2026", "3", "1")}, {2, 0, 1}},
        {{dated("２０２６", "１１", "　８ "), dated("2026", " 11", "7")}, {1, 0}},
        // Not three numbers: after the dated.
        {{dated("令和8", "5", "1"), dated("2026", "", "1"), dated("2026", "1 2", "1"),
          dated("2027", "1", "1")},
         {3, 0, 1, 2}},
        {{first, dated("", "", ""), first, dated("2026", "1", "1")}, {3, 1, 0, 2}},
    };
    for (const auto& c : cases) EXPECT_EQ(SeasonOrderOfMeetings(c.meetings), c.order);
}

TEST(Season, AFirstFormatMeetingHasTheHolesItsCardsReachInItsRounds) {
    // One round: 一郎's hole 7 counts, 花子's hole 11 of round 2 does not.
    const std::string bytes = Utf8ToCp932("成績,1\r\n1,0\r\n\"一郎,東町,男\",1") +
                              std::string(7, ',') + "4" + std::string(41, ',') + "\r\n" +
                              Utf8ToCp932("\"花子,西町,女\",1") + std::string(23, ',') + "3" +
                              std::string(25, ',') + "\r\n";
    const SeasonMeetingRead read = ReadSeasonMeeting(bytes, "old.txt");
    ASSERT_TRUE(read.meeting);
    EXPECT_EQ(read.meeting->fileName, "old.txt");
    EXPECT_FALSE(read.meeting->heading);
    EXPECT_EQ(read.meeting->holes, 7);
    EXPECT_EQ(MeetingPlayerCount(*read.meeting), 1);
    EXPECT_FALSE(ReadSeasonMeeting(Utf8ToCp932("成績,4\r\n"), "x.txt").meeting);
}

TEST(Season, TheExampleMeetingsAreResultsFilesOfTheExampleClub) {
    const char* data = std::getenv("TOVI_TEST_DATA");
    ASSERT_NE(data, nullptr);
    for (const char* name : {"meeting-04.csv", "meeting-05.csv"}) {
        SCOPED_TRACE(name);
        std::string bytes;
        ASSERT_TRUE(ReadRegularFile(std::filesystem::path(data) / ".." / "examples" / name,
                                    kMaxResultsFileBytes, bytes));
        const SeasonMeetingRead read = ReadSeasonMeeting(bytes, name);
        EXPECT_EQ(read.parse.status, ResultsFileStatus::Ok) << read.parse.badLine;
        ASSERT_TRUE(read.meeting);
        EXPECT_GE(MeetingPlayerCount(*read.meeting), 8);
    }
}

SeasonPlayer Made(const char* name, const char* gender, int points, int rounds, int strokes) {
    return {name, "", Utf8ToCp932(gender), 1, points, rounds, strokes, 0};
}

TEST(Season, RanksByPointsOrByAverageWithEqualPlayersSharingARank) {
    const Season season{
        {Made("A", "男", 10, 2, 50), Made("B", "女", 10, 1, 24), Made("C", "男", 12, 0, 0),
         Made("D", "男", 10, 4, 100), Made("E", "女", 10, 0, 0),
         Made("F", "男", 10, 3, 76),      // 25.333.. shown 25.33
         Made("G", "女", 10, 100, 2533),  // 25.33 exactly
         Made("H", "男", 8, 2, 50)},
        {}};
    const struct {
        SeasonOrder order;
        int minimumRounds;
        RankingList list;
        std::string rows;  // rank and name, no rank for none
    } cases[] = {
        {SeasonOrder::Points, 1, RankingList::All, "1C 2B 3A 3D 5G 6F 7E 8H"},
        {SeasonOrder::Points, 1, RankingList::Men, "1C 2A 2D 4F 5H"},
        {SeasonOrder::Points, 1, RankingList::Women, "1B 2G 3E"},
        {SeasonOrder::Average, 1, RankingList::All, "1B 2A 2D 4H 5G 6F C E"},
        {SeasonOrder::Average, 3, RankingList::All, "1D 2G 3F C B A E H"},
        {SeasonOrder::Average, 99, RankingList::Men, "C A D F H"},
    };
    for (const auto& c : cases) {
        std::string rows;
        for (const SeasonRow& row : RankSeason(season, {{1}, 1, c.minimumRounds, c.order}, c.list))
            rows += (rows.empty() ? "" : " ") + (row.rank ? std::to_string(*row.rank) : "") +
                    season.players.at(row.player).name;
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(Season, ThePointsTableIsUpToTwentyWholeNumbersUpTo999) {
    const std::string twenty = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1";
    EXPECT_EQ(ParsePointsTable(" 999 , 0,007"), (std::vector<int>{999, 0, 7}));
    EXPECT_EQ(ParsePointsTable(twenty), std::vector<int>(20, 1));
    for (const std::string& text :
         Texts{twenty + ",1", "", " ", "10,,8", "10,8,", "1000", "-1", "+1", "1.5", "1 2", "１０"})
        EXPECT_FALSE(ParsePointsTable(text)) << text;
    EXPECT_EQ(FormatPointsTable({10, 0, 999}), "10,0,999");
}

TEST(Season, TheCsvHoldsTheRankedListWithTheAverageToTwoDecimals) {
    const struct {
        int rounds, strokes;
        const char* average;
    } averages[] = {
        {0, 0, ""}, {3, 10, "3.33"}, {3, 20, "6.67"}, {8, 1, "0.13"}, {4, 400, "100.00"}};
    for (const auto& a : averages)
        EXPECT_EQ(SeasonAverageText({"", "", "", 1, 0, a.rounds, a.strokes, 0}), a.average);

    Season season;
    season.players = {
        {Utf8ToCp932("花子"), Utf8ToCp932("西町"), Utf8ToCp932("女"), 2, 11, 2, 55, 1},
        {"a,\"b\"", "", Utf8ToCp932("男"), 1, 3, 0, 0, 0}};
    EXPECT_EQ(
        FormatSeasonCsv(season, {{0, 1}, {1, std::nullopt}}),
        Utf8ToCp932("順位,氏名,チーム,性別,出場,ポイント,ラウンド,打数,平均,一打\r\n"
                    "1,花子,西町,女,2,11,2,55,27.50,1\r\n,\"a,\"\"b\"\"\",,男,1,3,0,0,,0\r\n"));
}

// The season window's document: a meeting is removed by its row in season
// order (not the order added), paths match once made normal, and a load
// that left meetings out stays unsaved.
TEST(SeasonDocument, RemovesByTheRowInSeasonOrderAndKnowsWhatIsUnsaved) {
    const auto entry = [](const char* file, const char* month) {
        return SeasonEntry{std::filesystem::path("/club") / file,
                           Meeting("2026", month, "1", 8, 1, {{"一郎,東町,男", {{3, 3}}}})};
    };
    SeasonDocument document;
    for (const auto& [file, month] :
         {std::pair{"oct.csv", "10"}, {"may.csv", "5"}, {"jul.csv", "7"}})
        document.Add(entry(file, month));
    document.Sum(RankingList::All);
    document.MarkSaved();
    ASSERT_TRUE(document.RemoveInSeasonOrder(0));  // May, the earliest
    document.Sum(RankingList::All);
    EXPECT_FALSE(document.RemoveInSeasonOrder(2));
    EXPECT_TRUE(document.Unsaved());
    EXPECT_FALSE(document.Holds("/club/sub/../may.csv"));
    EXPECT_TRUE(document.Holds("/club/sub/../jul.csv"));
    for (const bool complete : {true, false}) {
        std::vector<SeasonEntry> loaded;
        loaded.push_back(entry("may.csv", "5"));
        document.Replace(std::move(loaded), document.Settings(), complete);
        EXPECT_EQ(document.Unsaved(), !complete);
    }
}

TEST(SeasonFile, WritesTheSettingsAndAPathALineAndReadsThemBack) {
    const SeasonFile file{{{3, 2, 1}, 0, 5, SeasonOrder::Average},
                          {"2026/春季.txt", "a b.txt", "x,\"y\".txt"}};
    const SeasonFileBytes written = FormatSeasonFile(file);
    EXPECT_EQ(written.bytes,
              Utf8ToCp932("年間成績,1\r\nポイント,3,2,1\r\n参加点,0\r\n最低ラウンド,5\r\n"
                          "順位,1\r\n2026/春季.txt\r\n\"a b.txt\"\r\n"
                          "\"x,\"\"y\"\".txt\"\r\n"));
    EXPECT_EQ(ParseSeasonFile(written.bytes), file);
    EXPECT_TRUE(IsSeasonFile(written.bytes));

    // Paths CP932 cannot spell or with a line end are left out; settings out
    // of range are written as the nearest allowed.
    const SeasonFile odd{{{1000, -5}, 1000, 0}, {"한.txt", "a\nb", "", "ok.txt", "c\rd"}};
    const SeasonFileBytes oddWritten = FormatSeasonFile(odd);
    EXPECT_EQ(oddWritten.leftOut, (Texts{"한.txt", "a\nb", "", "c\rd"}));
    EXPECT_EQ(ParseSeasonFile(oddWritten.bytes), (SeasonFile{{{999, 0}, 999, 1}, {"ok.txt"}}));
    EXPECT_FALSE(IsValidSeasonSettings(odd.settings));
}

TEST(SeasonFile, RefusesAMalformedOrOutOfRangeLine) {
    const Texts good = {"年間成績,1",      "ポイント,10,8", "参加点,1",
                        "最低ラウンド,99", "順位,0",        "a.txt"};
    const auto bytes = [](const Texts& lines) {
        std::string joined;
        for (const std::string& line : lines) joined += Utf8ToCp932(line) + "\r\n";
        return joined;
    };
    ASSERT_TRUE(ParseSeasonFile(bytes(good)));
    // The number of the line replaced, then the line.
    for (const std::string& bad :
         Texts{"0成績,1", "0年間成績,2", "0年間成績,1,0", "1ポイント", "1ポイント,1000",
               "1ポイント,-1", "1ポイント,10,,8", "1参加点,1", "2参加点,1000", "2参加点,1,2",
               "3最低ラウンド,0", "3最低ラウンド,100", "4順位,2", "4順位", "5a,b.txt", "5a b.txt",
               "5"}) {
        Texts lines = good;
        lines[static_cast<std::size_t>(bad[0] - '0')] = bad.substr(1);
        EXPECT_FALSE(ParseSeasonFile(bytes(lines))) << bad;
    }
    EXPECT_FALSE(ParseSeasonFile(bytes({good.begin(), good.begin() + 4})));
    EXPECT_FALSE(ParseSeasonFile(bytes(good) + "\xFF.txt\r\n"));  // spells no character
    EXPECT_FALSE(ParseSeasonFile(bytes(good) + std::string("a\0b\r\n", 6)));
    EXPECT_FALSE(IsSeasonFile(Utf8ToCp932("成績,2\r\n")));
}

SeasonMeeting Headed(const char* title, const char* course, const char* year, const char* day) {
    SeasonMeeting meeting = Meeting(year, "4", day, 8, 1, {});
    meeting.heading->title = Utf8ToCp932(title);
    meeting.heading->course = Utf8ToCp932(course);
    return meeting;
}

TEST(SeasonSheet, HeadsThePageWithTheSeasonsDaysAndListsThePlayers) {
    // Added out of order; the first-format meeting counts without a date.
    const std::vector<SeasonMeeting> meetings = {Headed("楓林会", "市民公園", "2026", "１２"),
                                                 SeasonMeeting(),
                                                 Headed("楓林会", "河川敷", "2025", "8")};
    Season season;
    season.players = {
        {Utf8ToCp932("花子"), Utf8ToCp932("西町"), Utf8ToCp932("女"), 2, 11, 2, 55, 1},
        {Utf8ToCp932("次郎"), "", Utf8ToCp932("男"), 1, 3, 0, 0, 0}};
    test::RecordingSurface page;
    DrawSeasonSheet(page, 1.0, season, {{0, 1}, {1, std::nullopt}}, meetings, Utf8ToCp932("全体"),
                    0);
    // The courses differ: none shown.  The last day as typed in the date's place.
    const Texts texts = {
        "10,0:楓林会",      "10,44:【大会名】", "100,44:2025年4月8日～2026年4月12日　3回",
        "10,68:【コース】", "100,68:",          "540,68:2026",
        "560,68:年",        "590,68:4",         "610,68:月",
        "640,68:１２",      "660,68:日",        "10,100:年間成績　全体",
        "14,141:順位",      "58,141:氏名",      "198,141:チーム",
        "326,141:性別",     "366,141:出場",     "410,141:ポイント",
        "474,141:ラウンド", "538,141:打数",     "590,141:平均",
        "646,141:一打",     "42,166:1",         "58,166:花子",
        "198,166:西町",     "326,166:女",       "394,166:2",
        "450,166:11",       "522,166:2",        "566,166:55",
        "598,166:27.50",    "670,166:1",        "58,190:次郎",
        "326,190:男",       "394,190:1",        "458,190:3",
        "522,190:0",        "574,190:0",        "670,190:0"};
    EXPECT_EQ(page.TextLog(), texts);
    EXPECT_EQ(SeasonSheetHeader({Headed("", "", "2026", "8")}, "").meetingName,
              Utf8ToCp932("2026年4月8日　1回"));
    EXPECT_EQ(SeasonSheetHeader({SeasonMeeting()}, "").meetingName, Utf8ToCp932("1回"));
}

TEST(SeasonSheet, ThirtySixPlayersAPage) {
    for (const auto& [rows, pages] :
         std::vector<std::pair<int, int>>{{0, 1}, {36, 1}, {37, 2}, {73, 3}})
        EXPECT_EQ(SeasonSheetPages(std::vector<SeasonRow>(rows)), pages) << rows;
    // 37 players: the last alone on the second page.
    const Season season{{Made("選手", "男", 1, 1, 8)}, {}};
    test::RecordingSurface page;
    DrawSeasonSheet(page, 2.0, season, std::vector<SeasonRow>(37, {0, 1}), {}, "", 1);
    EXPECT_EQ(std::count_if(page.texts.begin(), page.texts.end(),
                            [](const test::TextCall& t) { return t.text == "選手"; }),
              1);
}

}  // namespace
}  // namespace tovi
