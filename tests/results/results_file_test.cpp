#include "results/results_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "results/card_builder.h"

namespace tovi {
namespace {

const std::string kYamada = Utf8ToCp932("山田,東町,男,0,0,0,0,0,");
const std::string kSato = Utf8ToCp932("佐藤,西町,女,0,0,0,0,0,");
const std::string kHead = Utf8ToCp932("成績,2\r\n");
const std::string kHeadV1 = Utf8ToCp932("成績,1\r\n");
const std::string kHeadV3 = Utf8ToCp932("成績,3\r\n");
const std::string kHeadV4 = Utf8ToCp932("成績,4\r\n");

// A member line of the file for line and occurrence with 48 empty cells.
std::string EmptyRecord(const std::string& line, int occurrence) {
    std::string record;
    AppendCommaTextField(record, line);
    return record + "," + std::to_string(occurrence) + std::string(48, ',') + "\r\n";
}

TEST(ResultsFile, WritesExactBytes) {
    const std::string odd = "a\"b,,x";
    Results results;
    results.settings = {2, 1};
    results.prizes = {5, PrizeDivision::Overall, 7, false, true, 3};
    results.cards[{kYamada, 1}] = CardOf({{3, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 99}});
    // カード計 of the first round, and of a third round the meeting has not.
    results.cards[{kYamada, 1}].SetCardTotal(0, 4);
    results.cards[{kYamada, 1}].SetCardTotal(2, 9);
    results.checkCardTotals = true;
    results.olderFirst = false;
    results.cards[{kYamada, 2}] = ScoreCard();  // nothing entered: not written
    results.cards[{odd, 2}] = CardOf({{}, {}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}});
    results.cards[{kSato, 1}] = CardOf({{4}});
    // Seated members come first in the order shown; one without strokes has no line.
    results.seats = {{{kSato, 1}, 2}, {{kYamada, 2}, 1}, {{kYamada, 1}, 1}};
    results.decisions = {{{kYamada, 1}, {kYamada, 2}, {odd, 2}}};
    // 組ごと: group 3's start hole has no member sitting in it and is not written.
    const MeetingHeading heading{"Open", "x,\"y\"",         "", "2024",
                                 " 5",   Utf8ToCp932("一"), 8,  {true, {3, 5, 7}}};
    const std::string expected =
        kHeadV4 + "2,1\r\n" + Utf8ToCp932("見出し,Open,\"x,\"\"y\"\"\",,2024,\" 5\",一,8\r\n") +
        Utf8ToCp932("表彰,5,1,7,0,1,3\r\nスタート,1,3,5,,,,\r\n検算,1\r\n年長,0\r\n決定,1\r\n") +
        "2,\"" + kYamada + "\",1,\"a\"\"b,,x\",2\r\n" + "\"" + kSato + "\",1,2,4" +
        std::string(47, ',') + ",,,,\r\n" + "\"" + kYamada + "\",1,1,3,1" + std::string(21, ',') +
        ",99" + std::string(24, ',') + ",4,,,\r\n" + "\"a\"\"b,,x\",2,0" + std::string(47, ',') +
        ",5,,,,\r\n";
    const ResultsFileBytes file = FormatResultsFile(results, heading);
    EXPECT_EQ(file.bytes, expected);
    EXPECT_TRUE(file.leftOut.empty());
    // 同成績は年長者を上位, as it is unless cleared.
    const std::string older = FormatResultsFile(Results(), {}).bytes;
    EXPECT_NE(older.find(Utf8ToCp932("\r\n検算,0\r\n年長,1\r\n決定,0\r\n")), std::string::npos)
        << older;
}

TEST(ResultsFile, ReadsBackWhatItWrote) {
    Results identical;
    identical.settings = {4, 3};
    identical.cards[{kYamada, 1}] = CardOf({{1, 2}, {3}, {4}, {5}});
    identical.cards[{kYamada, 2}] = CardOf({{9, 8}});
    identical.cards[{kYamada, 3}] = ScoreCard();
    Results odd;
    odd.settings = {1, 0};
    const std::vector<std::string> lines = {
        "",          "\"",       " lead and trail ", "a\tb",         "\x01",
        "\x81\"x,y", "\x81,x,y", "\x80\xA0\xFF",     kSato + "\"\"",
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Strokes strokes(4, std::vector<int>(12, 0));
        strokes[i % 4][i % 12] = static_cast<int>(i) + 1;
        strokes[3][11] = 99;  // beyond the one round shown, kept all the same
        odd.cards[{lines[i], static_cast<int>(i % 3) + 1}] = CardOf(strokes);
    }
    odd.cards[{kSato, MemberCapacity}] = CardOf({{1}});
    odd.prizes = {0, PrizeDivision::BySex, 0, false, false, 1};
    odd.seats = {{{lines[8], 3}, 6}, {{kSato, MemberCapacity}, 1}, {{lines[0], 1}, 6}};
    odd.decisions = {{{lines[1], 2}, {lines[5], 3}, {lines[0], 1}},
                     {{kSato, MemberCapacity}, {lines[2], 3}}};
    odd.olderFirst = false;
    Results full = identical;
    full.prizes = {kMaxPlaces, PrizeDivision::Overall, kMaxTobiEvery, true, true, kMaxTeamSize};
    full.seats = {{{kYamada, 2}, 3}, {{kYamada, 1}, 1}};
    full.decisions = {{{kYamada, 2}, {kYamada, 1}}};
    full.checkCardTotals = true;
    for (int round = 0; round < kMaxRounds; ++round)
        full.cards[{kYamada, 1}].SetCardTotal(round, round == 1 ? kMaxCardTotal : kMinCardTotal);

    // The start holes of groups 1 and 3, where full seats its members.
    const StartHoles none;
    const StartHoles perGroup{true, {12, std::nullopt, 1}};
    const StartHoles same{false, {-9, std::nullopt, -9}};
    const MeetingHeading headings[] = {
        {"", "", "", "", "", "", 1, none},
        {Utf8ToCp932("第1回"), "a\tb", "\"", " x ", "\x81,", "\x80\xA0\xFF", 12, none},
        {"", "", "", "", "", "", 12, perGroup},
        {"", "", "", "", "", "", 12, same},
    };
    const Results nothing;
    for (const Results* each :
         {&nothing, static_cast<const Results*>(&identical), static_cast<const Results*>(&odd),
          static_cast<const Results*>(&full)}) {
        const Results& results = *each;
        for (const MeetingHeading& heading : headings) {
            if (heading.startHoles != none && each != &full) continue;
            const ResultsFileBytes file = FormatResultsFile(results, heading);
            EXPECT_TRUE(file.leftOut.empty());
            const ResultsParse parse = ParseResultsFile(file.bytes);
            ASSERT_EQ(parse.status, ResultsFileStatus::Ok) << parse.badLine;
            EXPECT_EQ(parse.version, 4);
            EXPECT_EQ(parse.heading, heading);
            Results written = results;
            std::erase_if(written.cards, [](const auto& card) { return card.second.IsEmpty(); });
            EXPECT_EQ(parse.results, written);
        }
    }
}

TEST(ResultsFile, ReadsVersion1FilesAsBefore) {
    const std::string bytes =
        kHeadV1 + "3,2\r\n" + "\"" + kYamada + "\",2,7" + std::string(47, ',') + "\r\n";
    const ResultsParse parse = ParseResultsFile(bytes);
    ASSERT_EQ(parse.status, ResultsFileStatus::Ok) << parse.badLine;
    EXPECT_EQ(parse.version, 1);
    EXPECT_FALSE(parse.heading);
    Results expected;
    expected.settings = {3, 2};
    expected.cards[{kYamada, 2}] = CardOf({{7}});
    expected.olderFirst = false;  // its ranks were made without age
    EXPECT_EQ(parse.results, expected);
}

TEST(ResultsFile, WritesSeatsTiesAndHeadingOnlyAsFarAsTheyReadBack) {
    const MemberKey a{"A", 1}, b{"B", 1}, c{"C", 1}, lone{"Lone\x81", 1}, none{"N", 1};
    Results base;
    for (const MemberKey& key : {a, b, c, lone}) base.cards[key] = CardOf({{2}});
    base.cards[none] = ScoreCard();
    const struct {
        const char* what;
        std::vector<Seat> seats;
        std::vector<std::vector<MemberKey>> decisions;
        std::vector<Seat> seatsRead;
        std::vector<std::vector<MemberKey>> decisionsRead;
    } cases[] = {
        {"members left out or without strokes drop from seats and ties",
         {{lone, 1}, {none, 2}, {c, 3}, {a, 4}},
         {{lone, a, none, b}, {none, c}},
         {{c, 3}, {a, 4}},
         {{a, b}}},
        {"a member's second seat and second tie are dropped",
         {{b, 1}, {a, 2}, {b, 3}},
         {{a, b, a}, {c, b}, {c, a, b}},
         {{b, 1}, {a, 2}},
         {{a, b}}},
        {"a group out of range is no seat", {{a, 0}, {b, 7}, {c, 6}}, {}, {{c, 6}}, {}},
    };
    for (const auto& t : cases) {
        Results results = base;
        results.seats = t.seats;
        results.decisions = t.decisions;
        const ResultsFileBytes file = FormatResultsFile(results, {});
        EXPECT_EQ(file.leftOut, std::vector<std::string>{"Lone\x81"}) << t.what;
        const ResultsParse parse = ParseResultsFile(file.bytes);
        ASSERT_EQ(parse.status, ResultsFileStatus::Ok) << t.what << " " << parse.badLine;
        EXPECT_EQ(parse.results.seats, t.seatsRead) << t.what;
        EXPECT_EQ(parse.results.decisions, t.decisionsRead) << t.what;
    }

    // Heading texts that cannot come back whole are written empty, the
    // others kept; a hole count out of range is written as the nearest.
    const MeetingHeading broken{"a\r\nb", "x\x81", "ok", "\x81", std::string("n\0l", 3),
                                "d",      15,      {}};
    const ResultsParse parse = ParseResultsFile(FormatResultsFile(base, broken).bytes);
    ASSERT_EQ(parse.status, ResultsFileStatus::Ok) << parse.badLine;
    EXPECT_EQ(parse.heading, (MeetingHeading{"", "", "ok", "", "", "d", 12, {}}));
}

TEST(ResultsFile, LeavesOutAndNamesWhatWouldNotReadBack) {
    Results results;
    results.cards[{"Lone,t,\x81", 1}] = CardOf({{1}});
    results.cards[{"Lone2\x81", 1}] = CardOf({{1}});
    results.cards[{"Split,t\r,x", 1}] = CardOf({{1}});
    results.cards[{kSato, 1}] = CardOf({{2}});
    const ResultsFileBytes file = FormatResultsFile(results, {});
    EXPECT_EQ(file.leftOut, (std::vector<std::string>{"Lone", "Lone2\x81", "Split"}));
    const ResultsParse parse = ParseResultsFile(file.bytes);
    ASSERT_EQ(parse.status, ResultsFileStatus::Ok);
    EXPECT_EQ(parse.results.cards, (std::map<MemberKey, ScoreCard>{{{kSato, 1}, CardOf({{2}})}}));
}

TEST(ResultsFile, RefusesWholeFilesThatAreNotResults) {
    const std::string roster = FormatRosterFile({kYamada});
    const std::string good = EmptyRecord(kYamada, 1);
    const std::string top = kHeadV1 + "2,0\r\n";
    // Member x with the first cell as given and the others empty.
    const auto first = [](const std::string& cell) {
        return "x,1," + cell + std::string(47, ',') + "\r\n";
    };
    std::string exactlyAtLimit = Utf8ToCp932("成績,1");
    exactlyAtLimit.resize(kMaxResultsFileBytes - 5, ' ');
    exactlyAtLimit += "\r\n2,0";
    const struct {
        const char* what;
        std::string bytes;
        ResultsFileStatus status;
        std::size_t badLine;
    } cases[] = {
        {"well formed", top + good + first("99"), ResultsFileStatus::Ok, 0},
        {"LF line ends and no final line end", Utf8ToCp932("成績,1\n2,0"), ResultsFileStatus::Ok,
         0},
        {"exactly the largest size", exactlyAtLimit, ResultsFileStatus::Ok, 0},
        {"one byte too large", exactlyAtLimit + " ", ResultsFileStatus::TooLarge, 0},
        {"a roster file", roster, ResultsFileStatus::RosterFile, 0},
        {"empty", "", ResultsFileStatus::NoMarker, 0},
        {"no marker", "2,0\r\n" + good, ResultsFileStatus::NoMarker, 0},
        {"marker not at the start", "x" + kHeadV1 + "2,0\r\n", ResultsFileStatus::NoMarker, 0},
        {"marker without version", Utf8ToCp932("成績\r\n2,0\r\n"),
         ResultsFileStatus::UnsupportedVersion, 0},
        {"a later version", Utf8ToCp932("成績,5\r\n2,0\r\n"), ResultsFileStatus::UnsupportedVersion,
         0},
        {"version 0", Utf8ToCp932("成績,0\r\n2,0\r\n"), ResultsFileStatus::UnsupportedVersion, 0},
        {"a NUL byte", top + good + std::string(1, '\0') + good, ResultsFileStatus::NotText, 0},
        {"no settings", kHeadV1, ResultsFileStatus::BadLine, 2},
        {"round 0", kHeadV1 + "0,0\r\n", ResultsFileStatus::BadLine, 2},
        {"five rounds", kHeadV1 + "5,0\r\n", ResultsFileStatus::BadLine, 2},
        {"deduction 4", kHeadV1 + "2,4\r\n", ResultsFileStatus::BadLine, 2},
        {"a plus sign", kHeadV1 + "+2,0\r\n", ResultsFileStatus::BadLine, 2},
        {"an empty member line", top + good + "\r\n" + good, ResultsFileStatus::BadLine, 4},
        {"a cell short", top + good + "x,1" + std::string(47, ',') + "\r\n",
         ResultsFileStatus::BadLine, 4},
        {"a cell over", top + first(","), ResultsFileStatus::BadLine, 3},
        {"occurrence 0", top + EmptyRecord("x", 0), ResultsFileStatus::BadLine, 3},
        {"occurrence beyond the roster", top + EmptyRecord("x", 41), ResultsFileStatus::BadLine, 3},
        {"0 strokes", top + first("0"), ResultsFileStatus::BadLine, 3},
        {"100 strokes", top + first("100"), ResultsFileStatus::BadLine, 3},
        {"strokes not a number", top + first("3a"), ResultsFileStatus::BadLine, 3},
        {"a number too large for any integer", top + first("99999999999999999999"),
         ResultsFileStatus::BadLine, 3},
        {"a member twice", top + good + EmptyRecord(kSato, 1) + good, ResultsFileStatus::BadLine,
         5},
    };
    for (const auto& c : cases) {
        const ResultsParse parse = ParseResultsFile(c.bytes);
        EXPECT_EQ(parse.status, c.status) << c.what;
        EXPECT_EQ(parse.badLine, c.badLine) << c.what;
        if (parse.status != ResultsFileStatus::Ok) {
            EXPECT_EQ(parse.results, Results()) << c.what;
        }
    }
}

TEST(ResultsFile, RefusesVersion2LinesThatAreOutOfRangeOrDoNotAgree) {
    const std::string top = kHead + "2,0\r\n";
    const std::string heading = Utf8ToCp932("見出し,t,n,c,2024,5,1,8\r\n");
    const std::string prizes = Utf8ToCp932("表彰,3,0,0,1,0,4\r\n");
    const std::string head = top + heading + prizes;
    const auto decided = [](int count) {
        return Utf8ToCp932("決定,") + std::to_string(count) + "\r\n";
    };
    // A member line with one stroke in the first cell.
    const auto member = [](const std::string& line, const std::string& group) {
        return line + ",1," + group + ",1" + std::string(47, ',') + "\r\n";
    };
    const std::string xy = member("x", "1") + member("y", "0");
    const auto withPrizes = [&](const char* utf8) {
        return top + heading + Utf8ToCp932(utf8) + "\r\n" + decided(0);
    };
    const auto withHeading = [&](const char* utf8) {
        return top + Utf8ToCp932(utf8) + "\r\n" + prizes + decided(0);
    };
    const struct {
        const char* what;
        std::string bytes;
        std::size_t badLine;  // 0: accepted
    } cases[] = {
        {"well formed",
         head + decided(2) + "2,x,1,y,1\r\n3,z,1,w,1,v,1\r\n" + xy + member("z", "6") +
             member("w", "0") + member("v", "2"),
         0},
        {"no decisions, no members", head + decided(0), 0},
        {"no heading", top, 3},
        {"a heading field short", withHeading("見出し,t,n,c,2024,5,8"), 3},
        {"a heading field over", withHeading("見出し,t,n,c,2024,5,1,,8"), 3},
        {"a heading with 0 holes", withHeading("見出し,t,n,c,2024,5,1,0"), 3},
        {"a heading with 13 holes", withHeading("見出し,t,n,c,2024,5,1,13"), 3},
        {"a heading without its tag", withHeading("t,n,c,2024,5,1,8,8"), 3},
        {"no prizes", top + heading, 4},
        {"11 places", withPrizes("表彰,11,0,0,1,0,4"), 4},
        {"division 2", withPrizes("表彰,3,2,0,1,0,4"), 4},
        {"a prize every first place", withPrizes("表彰,3,0,1,1,0,4"), 4},
        {"a prize every 21st place", withPrizes("表彰,3,0,21,1,0,4"), 4},
        {"booby 2", withPrizes("表彰,3,0,0,2,0,4"), 4},
        {"booby maker 2", withPrizes("表彰,3,0,0,1,2,4"), 4},
        {"teams of 0", withPrizes("表彰,3,0,0,1,0,0"), 4},
        {"teams of 11", withPrizes("表彰,3,0,0,1,0,11"), 4},
        {"a prize setting short", withPrizes("表彰,3,0,0,1,0"), 4},
        {"no decision count", head, 5},
        {"more decisions than lines", head + decided(2) + "2,x,1,y,1\r\n", 5},
        {"a decision count without its tag", head + "0\r\n", 5},
        {"a tie of one", head + decided(1) + "1,x,1\r\n" + xy, 6},
        {"a tie counting more than it names", head + decided(1) + "3,x,1,y,1\r\n" + xy, 6},
        {"a tie counting fewer than it names", head + decided(1) + "2,x,1,y,1,z,1\r\n" + xy, 6},
        {"a tie member without occurrence", head + decided(1) + "2,x,1,y\r\n" + xy, 6},
        {"a tie member of occurrence 0", head + decided(1) + "2,x,1,y,0\r\n" + xy, 6},
        {"a tie member without a member line", head + decided(1) + "2,x,1,z,1\r\n" + xy, 6},
        {"a member twice in one tie", head + decided(1) + "2,x,1,x,1\r\n" + xy, 6},
        {"a member in two ties",
         head + decided(2) + "2,x,1,y,1\r\n2,z,1,y,1\r\n" + xy + member("z", "0"), 7},
        {"a tie past the count, read as a member", head + decided(0) + "2,x,1,y,1\r\n" + xy, 6},
        {"a version 1 member line", head + decided(0) + EmptyRecord("x", 1), 6},
        {"group 7", head + decided(0) + member("x", "7"), 6},
        {"a member twice", head + decided(0) + xy + member("x", "2"), 8},
    };
    for (const auto& c : cases) {
        const ResultsParse parse = ParseResultsFile(c.bytes);
        EXPECT_EQ(parse.status, c.badLine == 0 ? ResultsFileStatus::Ok : ResultsFileStatus::BadLine)
            << c.what;
        EXPECT_EQ(parse.badLine, c.badLine) << c.what;
        if (c.badLine != 0) {
            EXPECT_EQ(parse.results, Results()) << c.what;
            EXPECT_FALSE(parse.heading) << c.what;
        }
    }
    // What the well formed file holds.
    const ResultsParse parse = ParseResultsFile(cases[0].bytes);
    EXPECT_EQ(parse.heading, (MeetingHeading{"t", "n", "c", "2024", "5", "1", 8, {}}));
    EXPECT_EQ(parse.results.seats,
              (std::vector<Seat>{{{"x", 1}, 1}, {{"z", 1}, 6}, {{"v", 1}, 2}}));
    EXPECT_EQ(parse.results.decisions, (std::vector<std::vector<MemberKey>>{
                                           {{"x", 1}, {"y", 1}}, {{"z", 1}, {"w", 1}, {"v", 1}}}));
    EXPECT_EQ(parse.results.cards.size(), 5u);
}

TEST(ResultsFile, RefusesVersion3StartHolesAndCardTotalsThatDoNotFit) {
    const std::string head = kHeadV3 + "2,0\r\n" + Utf8ToCp932("見出し,t,n,c,2024,5,1,8\r\n") +
                             Utf8ToCp932("表彰,3,0,0,1,0,4\r\n");
    const auto starts = [](const char* fields) {
        return Utf8ToCp932("スタート,") + fields + "\r\n";
    };
    const std::string check = Utf8ToCp932("検算,1\r\n");
    const std::string decided = Utf8ToCp932("決定,0\r\n");
    // A member of group `group` with one stroke and the カード計 fields given.
    const auto member = [](const char* line, const char* group, const char* totals) {
        return std::string(line) + ",1," + group + ",1" + std::string(47, ',') + "," + totals +
               "\r\n";
    };
    const std::string seated = member("x", "1", "3,,,") + member("y", "2", ",,,");
    const struct {
        const char* what;
        std::string bytes;
        std::size_t badLine;  // 0: accepted
    } cases[] = {
        {"per group", head + starts("1,1,5,,,,") + check + decided + seated, 0},
        {"one start hole for all, below 1", head + starts("0,-3,-3,,,,") + check + decided + seated,
         0},
        {"none shown", head + starts("0,,,,,,") + check + decided + seated, 0},
        {"per group off the course", head + starts("1,1,9,,,,") + check + decided + seated, 5},
        {"per group 0", head + starts("1,0,1,,,,") + check + decided + seated, 5},
        {"per group not a number", head + starts("1,a,1,,,,") + check + decided + seated, 5},
        {"one for all that differ", head + starts("0,1,2,,,,") + check + decided + seated, 5},
        {"a start hole for a group no member sits in",
         head + starts("1,1,5,7,,,") + check + decided + seated, 5},
        {"a seventh group", head + starts("1,1,5,,,,,") + check + decided + seated, 5},
        {"mode 2", head + starts("2,1,5,,,,") + check + decided + seated, 5},
        {"no start holes", head + check + decided + seated, 5},
        {"check 2", head + starts("0,,,,,,") + Utf8ToCp932("検算,2\r\n") + decided + seated, 6},
        {"no check line", head + starts("0,,,,,,") + decided + seated, 6},
        {"a card total 0", head + starts("0,,,,,,") + check + decided + member("x", "1", "0,,,"),
         8},
        {"a card total 1000",
         head + starts("0,,,,,,") + check + decided + member("x", "1", "1000,,,"), 8},
        {"a card total as text",
         head + starts("0,,,,,,") + check + decided + member("x", "1", "3a,,,"), 8},
        {"a card total of a third round of two",
         head + starts("0,,,,,,") + check + decided + member("x", "1", ",,4,"), 8},
        {"a card total short", head + starts("0,,,,,,") + check + decided + member("x", "1", ",,"),
         8},
    };
    for (const auto& c : cases) {
        const ResultsParse parse = ParseResultsFile(c.bytes);
        EXPECT_EQ(parse.status, c.badLine == 0 ? ResultsFileStatus::Ok : ResultsFileStatus::BadLine)
            << c.what;
        EXPECT_EQ(parse.badLine, c.badLine) << c.what;
        if (c.badLine != 0) {
            EXPECT_FALSE(parse.heading) << c.what;
        }
    }
    const ResultsParse parse = ParseResultsFile(cases[0].bytes);
    ASSERT_TRUE(parse.heading);
    EXPECT_EQ(parse.heading->startHoles, (StartHoles{true, {1, 5}}));
    EXPECT_TRUE(parse.results.checkCardTotals);
    EXPECT_EQ(parse.results.cards.at({"x", 1}).CardTotal(0), 3);
}

TEST(ResultsFile, Version4KeepsWhetherTheOlderRankHigher) {
    const std::string top = Utf8ToCp932("2,0\r\n見出し,t,n,c,2024,5,1,8\r\n表彰,3,0,0,1,0,4\r\n") +
                            Utf8ToCp932("スタート,0,,,,,,\r\n検算,0\r\n");
    const std::string rest =
        Utf8ToCp932("決定,0\r\n") + "x,1,1,1" + std::string(47, ',') + ",,,,\r\n";
    const auto older = [](const char* utf8) { return Utf8ToCp932(utf8) + "\r\n"; };
    const struct {
        const char* what;
        std::string bytes;
        std::size_t badLine;  // 0: accepted
        bool olderFirst;
    } cases[] = {
        {"on", kHeadV4 + top + older("年長,1") + rest, 0, true},
        {"off", kHeadV4 + top + older("年長,0") + rest, 0, false},
        {"version 3 has none: off", kHeadV3 + top + rest, 0, false},
        {"version 2 has none: off",
         kHead + Utf8ToCp932("2,0\r\n見出し,t,n,c,2024,5,1,8\r\n表彰,3,0,0,1,0,4\r\n決定,0\r\n"), 0,
         false},
        {"2", kHeadV4 + top + older("年長,2") + rest, 7, true},
        {"empty", kHeadV4 + top + older("年長,") + rest, 7, true},
        {"a field over", kHeadV4 + top + older("年長,1,") + rest, 7, true},
        {"without its tag", kHeadV4 + top + older("1") + rest, 7, true},
        {"missing", kHeadV4 + top + rest, 7, true},
        {"the file ends before it", kHeadV4 + top, 7, true},
    };
    for (const auto& c : cases) {
        const ResultsParse parse = ParseResultsFile(c.bytes);
        EXPECT_EQ(parse.status, c.badLine == 0 ? ResultsFileStatus::Ok : ResultsFileStatus::BadLine)
            << c.what;
        EXPECT_EQ(parse.badLine, c.badLine) << c.what;
        EXPECT_EQ(parse.results.olderFirst, c.olderFirst) << c.what;
    }
    // Either way it reads back as written.
    for (const bool olderFirst : {true, false}) {
        Results results;
        results.olderFirst = olderFirst;
        results.cards[{kYamada, 1}] = CardOf({{2}});
        const ResultsParse parse = ParseResultsFile(FormatResultsFile(results, {}).bytes);
        ASSERT_EQ(parse.status, ResultsFileStatus::Ok) << parse.badLine;
        EXPECT_EQ(parse.results, results);
    }
}

TEST(ResultsFile, MatchesSavedCardsToTheRosterAndNamesTheRest) {
    const MemberKey yamada1{kYamada, 1}, yamada2{kYamada, 2}, sato{kSato, 1};
    Results saved;
    saved.settings = {3, 2};
    saved.prizes = {7, PrizeDivision::Overall, 3, false, true, 2};
    saved.cards[yamada1] = CardOf({{1}});
    saved.cards[yamada2] = CardOf({{2}});
    saved.cards[sato] = CardOf({{3}});
    saved.seats = {{yamada2, 2}, {sato, 1}, {yamada1, 1}};
    saved.decisions = {{sato, yamada2, yamada1}};
    saved.olderFirst = false;
    const std::string renamed = Utf8ToCp932("佐藤,北町,女,0,0,0,0,0,");
    const struct {
        const char* what;
        std::vector<std::string> roster;
        std::vector<MemberKey> matched;      // in key order
        std::vector<std::string> unmatched;  // UTF-8
        std::vector<Seat> seats;
        std::vector<std::vector<MemberKey>> decisions;
    } cases[] = {
        {"all found, in any roster order",
         {kSato, "other", kYamada, kYamada},
         {sato, yamada1, yamada2},
         {},
         saved.seats,
         saved.decisions},
        {"one renamed: the tie shrinks to the others",
         {kYamada, renamed, kYamada},
         {yamada1, yamada2},
         {"佐藤"},
         {{yamada2, 2}, {yamada1, 1}},
         {{yamada2, yamada1}}},
        {"one of two identical lines left: a tie of one is none",
         {kYamada, renamed},
         {yamada1},
         {"佐藤", "山田"},
         {{yamada1, 1}},
         {}},
        {"an empty roster", {}, {}, {"佐藤", "山田", "山田"}, {}, {}},
    };
    for (const auto& c : cases) {
        const RosterMatch match = MatchToRoster(saved, c.roster);
        EXPECT_EQ(match.results.settings, saved.settings) << c.what;
        EXPECT_EQ(match.results.prizes, saved.prizes) << c.what;
        EXPECT_EQ(match.results.olderFirst, saved.olderFirst) << c.what;
        std::vector<MemberKey> matched;
        for (const auto& [key, card] : match.results.cards) {
            matched.push_back(key);
            EXPECT_EQ(card, saved.cards.at(key)) << c.what;
        }
        EXPECT_EQ(matched, c.matched) << c.what;
        std::vector<std::string> unmatched;
        for (const std::string& name : match.unmatched) unmatched.push_back(Cp932ToUtf8(name));
        EXPECT_EQ(unmatched, c.unmatched) << c.what;
        EXPECT_EQ(match.results.seats, c.seats) << c.what;
        EXPECT_EQ(match.results.decisions, c.decisions) << c.what;
    }
}

}  // namespace
}  // namespace tovi
