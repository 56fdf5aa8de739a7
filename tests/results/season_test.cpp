#include "results/season.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "results/card_builder.h"
#include "results/season_sheet.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

std::string Line(const std::string& name, const std::string& team, const std::string& gender) {
    return Utf8ToCp932(name + "," + team + "," + gender + ",0,0,0,0,0,");
}

// A card of a meeting: the member's line and occurrence, its strokes and
// its seat's group (0 for none).
struct Entry {
    std::string line;
    Strokes strokes;
    int group = 1;
    int occurrence = 1;
};

SeasonMeeting Meeting(const std::string& year, const std::string& month, const std::string& day,
                      int holes, int rounds, const std::vector<Entry>& entries) {
    SeasonMeeting meeting;
    meeting.fileName = year + "-" + month + "-" + day + ".txt";
    meeting.heading = MeetingHeading{"T", "M", "C", year, month, day, holes};
    meeting.holes = holes;
    meeting.results.settings.rounds = rounds;
    for (const Entry& entry : entries) {
        const MemberKey key{entry.line, entry.occurrence};
        meeting.results.cards[key] = CardOf(entry.strokes);
        if (entry.group != 0) meeting.results.seats.push_back({key, entry.group});
    }
    return meeting;
}

TEST(Season, SumsThePlacesPointsRoundsAndHolesInOneOfEveryMeeting) {
    const std::string hanako = Line("花子", "西町", "女"), ichiro = Line("一郎", "東町", "男"),
                      goro = Line("五郎", "南町", "男"), saburo = Line("三郎", "北町", "男"),
                      jiro = Line("次郎", "東町", "男"), shiro = Line("四郎", "東町", "男");
    // Added first, held later: 一郎 and 五郎 tie for 1st (5 points each), 花子 3rd.
    const SeasonMeeting may =
        Meeting("2026", "5", "3", 1, 1, {{hanako, {{3}}}, {ichiro, {{1}}, 2}, {goro, {{1}}, 3}});
    // 花子 8, 一郎 9, 三郎 and 五郎 16 decided for 五郎 (not seated), 次郎
    // missing a hole, 四郎 only beyond the two holes played.
    SeasonMeeting april = Meeting("2026", "4", "12", 2, 2,
                                  {{ichiro, {{1, 2}, {3, 3}}},
                                   {saburo, {{4, 4}, {4, 4}}},
                                   {hanako, {{2, 2}, {2, 2}}, 2},
                                   {goro, {{4, 4}, {4, 4}}, 0},
                                   {jiro, {{3, 3}, {0, 3}}, 2},
                                   {shiro, {{0, 0, 5}}}});
    april.results.decisions = {{{goro, 1}, {saburo, 1}}};
    SeasonSettings settings;
    settings.pointsTable = {5, 3, 1};
    settings.attendancePoints = 2;

    const Season season = SumSeason({may, april}, settings);
    EXPECT_EQ(season.meetingOrder, (std::vector<std::size_t>{1, 0}));
    const auto player = [](const std::string& line, int meetings, int points, int rounds,
                           int strokes, int holesInOne) {
        const std::vector<std::string> f = {line.substr(0, 4), line.substr(5, 4),
                                            line.substr(10, 2)};
        return SeasonPlayer{f[0], f[1], f[2], meetings, points, rounds, strokes, holesInOne};
    };
    // In April's 全体 order, then May's newcomers (none); 五郎 4th gets no
    // place points from a table of three, 次郎 only attendance.
    const std::vector<SeasonPlayer> expected = {
        player(hanako, 2, 7 + 3, 3, 11, 0), player(ichiro, 2, 5 + 7, 3, 10, 2),
        player(goro, 2, 3 + 7, 3, 17, 1), player(saburo, 1, 2, 2, 16, 0),
        player(jiro, 1, 2, 1, 6, 0)};
    EXPECT_EQ(season.players, expected);
    EXPECT_EQ(MeetingPlayerCount(april), 5);
    std::vector<std::string> names;
    for (const Player& p : MeetingPlayers(april)) names.push_back(Cp932ToUtf8(p.name));
    EXPECT_EQ(names, (std::vector<std::string>{"花子", "一郎", "五郎", "三郎", "次郎"}));
}

TEST(Season, APlayerIsTheSameNameAndGenderWithTheTeamOfTheLatestMeeting) {
    const struct {
        const char* what;
        std::vector<Entry> early, late;  // the late meeting is added first
        // name/gender/team/meetings of each player, in order of appearance
        std::vector<std::string> players;
    } cases[] = {
        {"same name, other gender",
         {{Line("一郎", "東町", "男"), {{3}}}},
         {{Line("一郎", "東町", "女"), {{2}}}, {Line("一郎", "東町", "男"), {{4}}}},
         {"一郎/男/東町/2", "一郎/女/東町/1"}},
        {"team changed",
         {{Line("一郎", "東町", "男"), {{3}}}},
         {{Line("一郎", "西町", "男"), {{3}}}},
         {"一郎/男/西町/2"}},
        {"team dropped",
         {{Line("一郎", "東町", "男"), {{3}}}},
         {{Line("一郎", "", "男"), {{3}}}},
         {"一郎/男//2"}},
        {"one line twice in a meeting",
         {{Line("一郎", "東町", "男"), {{3}}}, {Line("一郎", "東町", "男"), {{2}}, 1, 2}},
         {},
         {"一郎/男/東町/1"}},
        {"fields beyond the gender differ",
         {{Utf8ToCp932("一郎,東町,男,1,0,0,0,0,"), {{3}}}},
         {{Utf8ToCp932("一郎,東町,男,0,0,0,0,0,"), {{3}}}},
         {"一郎/男/東町/2"}},
    };
    for (const auto& c : cases) {
        const Season season = SumSeason(
            {Meeting("2026", "10", "1", 1, 1, c.late), Meeting("2026", "9", "30", 1, 1, c.early)},
            {});
        std::vector<std::string> players;
        for (const SeasonPlayer& p : season.players)
            players.push_back(Cp932ToUtf8(p.name) + "/" + Cp932ToUtf8(p.gender) + "/" +
                              Cp932ToUtf8(p.team) + "/" + std::to_string(p.meetings));
        EXPECT_EQ(players, c.players) << c.what;
    }
}

TEST(Season, MeetingsGoByTheirDateThenTheOrderAddedTheFirstFormatLast) {
    const auto dated = [](const char* year, const char* month, const char* day) {
        return Meeting(Utf8ToCp932(year), Utf8ToCp932(month), Utf8ToCp932(day), 8, 2, {});
    };
    SeasonMeeting first;  // a first-format file: no heading
    const struct {
        const char* what;
        std::vector<SeasonMeeting> meetings;
        std::vector<std::size_t> order;
    } cases[] = {
        {"none", {}, {}},
        {"by year, month, day as numbers",
         {dated("2026", "10", "1"), dated("2026", "9", "30"), dated("2025", "12", "31")},
         {2, 1, 0}},
        {"the same day in the order added",
         {dated("2026", "4", "1"), dated("2026", "04", "01"), dated("2026", "3", "1")},
         {2, 0, 1}},
        {"full-width digits and spaces",
         {dated("２０２６", "１１", "　８ "), dated("2026", " 11", "7")},
         {1, 0}},
        {"a date that is not three numbers after the dated",
         {dated("令和8", "5", "1"), dated("2026", "", "1"), dated("2026", "1 2", "1"),
          dated("2027", "1", "1")},
         {3, 0, 1, 2}},
        {"the first format last",
         {first, dated("", "", ""), first, dated("2026", "1", "1")},
         {3, 1, 0, 2}},
    };
    for (const auto& c : cases) EXPECT_EQ(SeasonOrderOfMeetings(c.meetings), c.order) << c.what;
}

TEST(Season, ReadsAMeetingWithTheHolesOfItsHeadingOrOfItsCards) {
    std::string v1 = Utf8ToCp932("成績,1\r\n1,0\r\n\"一郎,東町,男,0,0,0,0,0,\",1");
    std::string cells(48, ',');
    cells.insert(7, "4");  // round 1, hole 7
    v1 += cells + "\r\n";
    // Hole 11 of round 2, not played: the file has one round.
    v1 += Utf8ToCp932("\"花子,西町,女,0,0,0,0,0,\",1") + std::string(23, ',') + "3" +
          std::string(25, ',') + "\r\n";
    const SeasonMeetingRead first = ReadSeasonMeeting(v1, "old.txt");
    ASSERT_TRUE(first.meeting);
    EXPECT_EQ(first.meeting->fileName, "old.txt");
    EXPECT_FALSE(first.meeting->heading);
    EXPECT_EQ(first.meeting->holes, 7);
    EXPECT_EQ(MeetingPlayerCount(*first.meeting), 1);

    const std::string v2 = Utf8ToCp932("成績,2\r\n2,0\r\n見出し,,,,2026,4,1,10\r\n") +
                           Utf8ToCp932("表彰,3,0,0,1,0,4\r\n決定,0\r\n");
    const SeasonMeetingRead second = ReadSeasonMeeting(v2, "new.txt");
    ASSERT_TRUE(second.meeting);
    EXPECT_EQ(second.meeting->holes, 10);
    EXPECT_EQ(second.meeting->heading->year, "2026");

    const SeasonMeetingRead refused = ReadSeasonMeeting(Utf8ToCp932("成績,3\r\n"), "x.txt");
    EXPECT_EQ(refused.parse.status, ResultsFileStatus::UnsupportedVersion);
    EXPECT_FALSE(refused.meeting);
}

// A player of a made-up season: name, gender, ポイント, ラウンド and 打数.
SeasonPlayer Made(const char* name, const char* gender, int points, int rounds, int strokes) {
    return {Utf8ToCp932(name), "", Utf8ToCp932(gender), 1, points, rounds, strokes, 0};
}

TEST(Season, RanksByPointsOrByAverageWithEqualPlayersSharingARank) {
    const std::vector<SeasonPlayer> players = {
        Made("A", "男", 10, 2, 50),      // 25.00
        Made("B", "女", 10, 1, 24),      // 24.00
        Made("C", "男", 12, 0, 0),       // no average
        Made("D", "男", 10, 4, 100),     // 25.00, as A
        Made("E", "女", 10, 0, 0),       // no average
        Made("F", "男", 10, 3, 76),      // 25.333.., shown 25.33
        Made("G", "女", 10, 100, 2533),  // 25.33 exactly, shown the same
        Made("H", "男", 8, 2, 50),       // 25.00
    };
    const Season season{players, {}};
    const auto settings = [](SeasonOrder order, int minimumRounds) {
        SeasonSettings s;
        s.order = order;
        s.minimumRounds = minimumRounds;
        return s;
    };
    const struct {
        const char* what;
        SeasonSettings settings;
        RankingList list;
        std::vector<std::string> rows;  // "rank:name", rank empty when none
    } cases[] = {
        {"points, then the lower average, none last",
         settings(SeasonOrder::Points, 1),
         RankingList::All,
         {"1:C", "2:B", "3:A", "3:D", "5:G", "6:F", "7:E", "8:H"}},
        {"the men alone",
         settings(SeasonOrder::Points, 1),
         RankingList::Men,
         {"1:C", "2:A", "2:D", "4:F", "5:H"}},
        {"the women alone",
         settings(SeasonOrder::Points, 1),
         RankingList::Women,
         {"1:B", "2:G", "3:E"}},
        {"average, then more points",
         settings(SeasonOrder::Average, 1),
         RankingList::All,
         {"1:B", "2:A", "2:D", "4:H", "5:G", "6:F", ":C", ":E"}},
        {"three rounds at least: the others follow by points",
         settings(SeasonOrder::Average, 3),
         RankingList::All,
         {"1:D", "2:G", "3:F", ":C", ":B", ":A", ":E", ":H"}},
        {"no man has enough rounds",
         settings(SeasonOrder::Average, 99),
         RankingList::Men,
         {":C", ":A", ":D", ":F", ":H"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> rows;
        for (const SeasonRow& row : RankSeason(season, c.settings, c.list))
            rows.push_back((row.rank ? std::to_string(*row.rank) : "") + ":" +
                           season.players.at(row.player).name);
        EXPECT_EQ(rows, c.rows) << c.what;
    }
}

TEST(Season, ThePointsTableIsUpToTwentyWholeNumbersUpTo999) {
    const struct {
        const char* text;
        std::optional<std::vector<int>> table;
    } cases[] = {
        {"10,8,6,5,4,3,2,1", std::vector<int>{10, 8, 6, 5, 4, 3, 2, 1}},
        {" 999 , 0,007", std::vector<int>{999, 0, 7}},
        {"5", std::vector<int>{5}},
        {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", std::vector<int>(20, 1)},
        {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", std::nullopt},  // 21
        {"", std::nullopt},
        {" ", std::nullopt},
        {"10,,8", std::nullopt},
        {"10,8,", std::nullopt},
        {"1000", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"1.5", std::nullopt},
        {"1 2", std::nullopt},
        {"10、8", std::nullopt},
        {"１０", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParsePointsTable(c.text), c.table) << c.text;
    EXPECT_EQ(FormatPointsTable({10, 0, 999}), "10,0,999");
}

TEST(Season, TheCsvHoldsTheRankedListWithTheAverageToTwoDecimals) {
    const struct {
        int rounds, strokes;
        const char* average;
    } averages[] = {{0, 0, ""},     {2, 55, "27.50"},     {3, 10, "3.33"},    {3, 20, "6.67"},
                    {8, 1, "0.13"}, {100, 2505, "25.05"}, {4, 400, "100.00"}, {1, 9, "9.00"}};
    for (const auto& a : averages) {
        EXPECT_EQ(SeasonAverageText({"", "", "", 1, 0, a.rounds, a.strokes, 0}), a.average)
            << a.rounds << " " << a.strokes;
    }

    Season season;
    season.players = {
        {Utf8ToCp932("花子"), Utf8ToCp932("西町"), Utf8ToCp932("女"), 2, 11, 2, 55, 1},
        {"a,\"b\"", "", Utf8ToCp932("男"), 1, 3, 0, 0, 0}};
    const std::string csv = FormatSeasonCsv(season, {{0, 1}, {1, std::nullopt}});
    EXPECT_EQ(csv, Utf8ToCp932("順位,氏名,チーム,性別,出場,ポイント,ラウンド,打数,平均,一打\r\n"
                               "1,花子,西町,女,2,11,2,55,27.50,1\r\n"
                               ",\"a,\"\"b\"\"\",,男,1,3,0,0,,0\r\n"));
}

TEST(SeasonFile, WritesTheSettingsAndAPathALineAndReadsThemBack) {
    SeasonFile file;
    file.settings = {{3, 2, 1}, 0, 5, SeasonOrder::Average};
    file.paths = {"2026/春季.txt", "a b.txt", "x,\"y\".txt"};
    const SeasonFileBytes written = FormatSeasonFile(file);
    EXPECT_EQ(written.bytes,
              Utf8ToCp932("年間成績,1\r\nポイント,3,2,1\r\n参加点,0\r\n最低ラウンド,5\r\n"
                          "順位,1\r\n2026/春季.txt\r\n\"a b.txt\"\r\n"
                          "\"x,\"\"y\"\".txt\"\r\n"));
    EXPECT_TRUE(written.leftOut.empty());
    EXPECT_EQ(ParseSeasonFile(written.bytes), file);
    EXPECT_TRUE(IsSeasonFile(written.bytes));

    // Paths CP932 cannot spell or that hold a line end are left out; settings
    // out of range are written as the nearest allowed.
    SeasonFile odd;
    odd.settings = {{1000, -5}, 1000, 0, SeasonOrder::Points};
    odd.paths = {"한.txt", "a\nb.txt", "", "ok.txt", "c\rd"};
    const SeasonFileBytes oddWritten = FormatSeasonFile(odd);
    EXPECT_EQ(oddWritten.leftOut, (std::vector<std::string>{"한.txt", "a\nb.txt", "", "c\rd"}));
    SeasonFile nearest;
    nearest.settings = {{999, 0}, 999, 1, SeasonOrder::Points};
    nearest.paths = {"ok.txt"};
    EXPECT_EQ(ParseSeasonFile(oddWritten.bytes), nearest);
    EXPECT_FALSE(IsValidSeasonSettings(odd.settings));
    EXPECT_TRUE(IsValidSeasonSettings(nearest.settings));
    EXPECT_FALSE(IsValidSeasonSettings({{}, 1, 1, SeasonOrder::Points}));
    EXPECT_FALSE(IsValidSeasonSettings({std::vector<int>(21, 1), 1, 1, SeasonOrder::Points}));
    EXPECT_FALSE(IsValidSeasonSettings({{1}, 1, 100, SeasonOrder::Points}));
}

TEST(SeasonFile, RefusesAMalformedOrOutOfRangeLine) {
    const std::string settings = "参加点,1\r\n最低ラウンド,1\r\n順位,0\r\n";
    const std::string head = "年間成績,1\r\nポイント,10,8\r\n" + settings;
    const struct {
        std::string bytes;  // UTF-8
        bool read;
    } cases[] = {
        {head, true},
        {head + "a.txt\r\n\"b c.txt\"", true},
        {"年間成績,1\nポイント,1\n参加点,0\n最低ラウンド,99\n順位,1\na.txt\n", true},
        {"年間成績,1\r\nポイント,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n" + settings, true},
        {"", false},
        {"成績,2\r\n2,0\r\n", false},
        {"年間成績,2\r\nポイント,10,8\r\n" + settings, false},
        {"年間成績,1,0\r\nポイント,10,8\r\n" + settings, false},
        {"年間成績,1\r\nポイント,10,8\r\n参加点,1\r\n最低ラウンド,1\r\n", false},
        {"年間成績,1\r\nポイント\r\n" + settings, false},
        {"年間成績,1\r\nポイント,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n" + settings, false},
        {"年間成績,1\r\nポイント,1000\r\n" + settings, false},
        {"年間成績,1\r\nポイント,-1\r\n" + settings, false},
        {"年間成績,1\r\nポイント,10,,8\r\n" + settings, false},
        {"年間成績,1\r\n参加点,1\r\nポイント,10,8\r\n最低ラウンド,1\r\n順位,0\r\n", false},
        {"年間成績,1\r\nポイント,10\r\n参加点,1000\r\n最低ラウンド,1\r\n順位,0\r\n", false},
        {"年間成績,1\r\nポイント,10\r\n参加点,1\r\n最低ラウンド,0\r\n順位,0\r\n", false},
        {"年間成績,1\r\nポイント,10\r\n参加点,1\r\n最低ラウンド,100\r\n順位,0\r\n", false},
        {"年間成績,1\r\nポイント,10\r\n参加点,1\r\n最低ラウンド,1\r\n順位,2\r\n", false},
        {"年間成績,1\r\nポイント,10\r\n参加点,1,2\r\n最低ラウンド,1\r\n順位,0\r\n", false},
        {head + "a,b.txt\r\n", false},
        {head + "a b.txt\r\n", false},
        {head + "a.txt\r\n\r\nb.txt\r\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSeasonFile(Utf8ToCp932(c.bytes)).has_value(), c.read) << c.bytes;
    // Bytes that spell no character, and a NUL.
    EXPECT_FALSE(ParseSeasonFile(Utf8ToCp932(head) + "\xFF.txt\r\n"));
    EXPECT_FALSE(ParseSeasonFile(Utf8ToCp932(head) + std::string("a\0b.txt\r\n", 9)));
    EXPECT_FALSE(IsSeasonFile(Utf8ToCp932("成績,2\r\n")));
    EXPECT_FALSE(IsSeasonFile(Utf8ToCp932("年間")));
}

SeasonMeeting Headed(const char* title, const char* course, const char* year, const char* month,
                     const char* day) {
    SeasonMeeting meeting;
    meeting.heading = MeetingHeading{
        Utf8ToCp932(title), "", Utf8ToCp932(course), Utf8ToCp932(year), Utf8ToCp932(month),
        Utf8ToCp932(day),   8};
    return meeting;
}

TEST(SeasonSheet, HeadsThePageWithTheSeasonsDaysAndListsThePlayers) {
    // Added out of order; the first-format meeting counts but has no date.
    const std::vector<SeasonMeeting> meetings = {Headed("楓林会", "市民公園", "2026", "11", "8"),
                                                 SeasonMeeting(),
                                                 Headed("楓林会", "河川敷", "2026", "4", "12")};
    Season season;
    season.players = {
        {Utf8ToCp932("花子"), Utf8ToCp932("西町"), Utf8ToCp932("女"), 2, 11, 2, 55, 1},
        {Utf8ToCp932("次郎"), "", Utf8ToCp932("男"), 1, 3, 0, 0, 0}};
    test::RecordingSurface page;
    DrawSeasonSheet(page, 1.0, season, {{0, 1}, {1, std::nullopt}}, meetings, Utf8ToCp932("全体"),
                    0);
    // The courses differ: none shown.  Numbers end 4 units before their column's edge.
    const std::vector<std::string> texts = {
        "10,0:楓林会", "10,44:【大会名】", "100,44:2026年4月12日～2026年11月8日　3回",
        "10,68:【コース】", "100,68:", "540,68:2026", "560,68:年", "590,68:11", "610,68:月",
        "640,68:8", "660,68:日", "10,100:年間成績　全体",
        //
        "14,141:順位", "58,141:氏名", "198,141:チーム", "326,141:性別", "366,141:出場",
        "410,141:ポイント", "474,141:ラウンド", "538,141:打数", "590,141:平均", "646,141:一打",
        //
        "42,166:1", "58,166:花子", "198,166:西町", "326,166:女", "394,166:2", "450,166:11",
        "522,166:2", "566,166:55", "598,166:27.50", "670,166:1",
        // Unranked, without team or average.
        "58,190:次郎", "326,190:男", "394,190:1", "458,190:3", "522,190:0", "574,190:0",
        "670,190:0"};
    EXPECT_EQ(page.TextLog(), texts);

    const struct {
        std::vector<SeasonMeeting> meetings;
        const char* meetingName;
        const char* title;
        const char* day;
    } headers[] = {
        {{}, "0回", "", ""},
        {{SeasonMeeting(), Headed("会", "", "", "", "")}, "2回", "会", ""},
        {{Headed("会", "", "2026", "4", "１２")}, "2026年4月12日　1回", "会", "１２"},
        {{Headed("会", "", "2026", "4", "12"), Headed("別", "", "2026", "4", "12")},
         "2026年4月12日　2回",
         "",
         "12"},
    };
    for (const auto& h : headers) {
        const RankingSheetHeader header = SeasonSheetHeader(h.meetings, "");
        EXPECT_EQ(Cp932ToUtf8(header.meetingName), h.meetingName);
        EXPECT_EQ(Cp932ToUtf8(header.title), h.title) << h.meetingName;
        EXPECT_EQ(Cp932ToUtf8(header.day), h.day) << h.meetingName;
    }
}

TEST(SeasonSheet, ThirtySixPlayersAPage) {
    const struct {
        std::size_t rows;
        int pages;
    } counts[] = {{0, 1}, {1, 1}, {36, 1}, {37, 2}, {72, 2}, {73, 3}};
    for (const auto& c : counts)
        EXPECT_EQ(SeasonSheetPages(std::vector<SeasonRow>(c.rows)), c.pages) << c.rows;

    Season season;
    season.players = {{Utf8ToCp932("選手"), "", Utf8ToCp932("男"), 1, 1, 1, 8, 0}};
    const std::vector<SeasonRow> rows(37, SeasonRow{0, 1});
    for (const auto& [number, drawn] : {std::pair{0, 36}, std::pair{1, 1}, std::pair{2, 0}}) {
        test::RecordingSurface page;
        DrawSeasonSheet(page, 2.0, season, rows, {}, Utf8ToCp932("男子"), number);
        int names = 0;
        for (const auto& t : page.texts) names += t.text == Utf8ToCp932("選手");
        EXPECT_EQ(names, drawn) << number;
        EXPECT_NE(page.FindText("年間成績　男子"), nullptr);
    }
}

}  // namespace
}  // namespace tovi
