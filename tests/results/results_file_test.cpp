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
const std::string kHead = Utf8ToCp932("成績,1\r\n");

// A member line of the file for line and occurrence with 48 empty cells.
std::string EmptyRecord(const std::string& line, int occurrence) {
    std::string record;
    AppendCommaTextField(record, line);
    return record + "," + std::to_string(occurrence) + std::string(48, ',') + "\r\n";
}

TEST(ResultsFile, WritesExactBytes) {
    Results results;
    results.settings = {2, 1};
    results.cards[{kYamada, 1}] = CardOf({{3, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 99}});
    results.cards[{kYamada, 2}] = ScoreCard();  // nothing entered: not written
    results.cards[{"a\"b,,x", 2}] = CardOf({{}, {}, {}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5}});
    const std::string expected = kHead + "2,1\r\n" + "\"a\"\"b,,x\",2" + std::string(47, ',') +
                                 ",5\r\n" + "\"" + kYamada + "\",1,3,1" + std::string(21, ',') +
                                 ",99" + std::string(24, ',') + "\r\n";
    const ResultsFileBytes file = FormatResultsFile(results);
    EXPECT_EQ(file.bytes, expected);
    EXPECT_TRUE(file.leftOut.empty());
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

    for (const Results& results : {Results{}, identical, odd}) {
        const ResultsFileBytes file = FormatResultsFile(results);
        EXPECT_TRUE(file.leftOut.empty());
        const ResultsParse parse = ParseResultsFile(file.bytes);
        ASSERT_EQ(parse.status, ResultsFileStatus::Ok) << parse.badLine;
        Results written = results;
        std::erase_if(written.cards, [](const auto& card) { return card.second.IsEmpty(); });
        EXPECT_EQ(parse.results, written);
    }
}

TEST(ResultsFile, LeavesOutAndNamesWhatWouldNotReadBack) {
    Results results;
    results.cards[{"Lone,t,\x81", 1}] = CardOf({{1}});
    results.cards[{"Lone2\x81", 1}] = CardOf({{1}});
    results.cards[{"Split,t\r,x", 1}] = CardOf({{1}});
    results.cards[{kSato, 1}] = CardOf({{2}});
    const ResultsFileBytes file = FormatResultsFile(results);
    EXPECT_EQ(file.leftOut, (std::vector<std::string>{"Lone", "Lone2\x81", "Split"}));
    const ResultsParse parse = ParseResultsFile(file.bytes);
    ASSERT_EQ(parse.status, ResultsFileStatus::Ok);
    EXPECT_EQ(parse.results.cards, (std::map<MemberKey, ScoreCard>{{{kSato, 1}, CardOf({{2}})}}));
}

TEST(ResultsFile, RefusesWholeFilesThatAreNotResults) {
    const std::string roster = FormatRosterFile({kYamada});
    const std::string good = EmptyRecord(kYamada, 1);
    const std::string top = kHead + "2,0\r\n";
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
        {"marker not at the start", "x" + kHead + "2,0\r\n", ResultsFileStatus::NoMarker, 0},
        {"marker without version", Utf8ToCp932("成績\r\n2,0\r\n"),
         ResultsFileStatus::UnsupportedVersion, 0},
        {"a later version", Utf8ToCp932("成績,2\r\n2,0\r\n"), ResultsFileStatus::UnsupportedVersion,
         0},
        {"a NUL byte", top + good + std::string(1, '\0') + good, ResultsFileStatus::NotText, 0},
        {"no settings", kHead, ResultsFileStatus::BadLine, 2},
        {"round 0", kHead + "0,0\r\n", ResultsFileStatus::BadLine, 2},
        {"five rounds", kHead + "5,0\r\n", ResultsFileStatus::BadLine, 2},
        {"deduction 4", kHead + "2,4\r\n", ResultsFileStatus::BadLine, 2},
        {"a plus sign", kHead + "+2,0\r\n", ResultsFileStatus::BadLine, 2},
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

TEST(ResultsFile, MatchesSavedCardsToTheRosterAndNamesTheRest) {
    Results saved;
    saved.settings = {3, 2};
    saved.cards[{kYamada, 1}] = CardOf({{1}});
    saved.cards[{kYamada, 2}] = CardOf({{2}});
    saved.cards[{kSato, 1}] = CardOf({{3}});
    const std::string renamed = Utf8ToCp932("佐藤,北町,女,0,0,0,0,0,");
    const struct {
        const char* what;
        std::vector<std::string> roster;
        std::vector<MemberKey> matched;      // in key order
        std::vector<std::string> unmatched;  // UTF-8
    } cases[] = {
        {"all found, in any roster order",
         {kSato, "other", kYamada, kYamada},
         {{kSato, 1}, {kYamada, 1}, {kYamada, 2}},
         {}},
        {"one of two identical lines left", {kYamada, renamed}, {{kYamada, 1}}, {"佐藤", "山田"}},
        {"an empty roster", {}, {}, {"佐藤", "山田", "山田"}},
    };
    for (const auto& c : cases) {
        const RosterMatch match = MatchToRoster(saved, c.roster);
        EXPECT_EQ(match.results.settings, saved.settings) << c.what;
        std::vector<MemberKey> matched;
        for (const auto& [key, card] : match.results.cards) {
            matched.push_back(key);
            EXPECT_EQ(card, saved.cards.at(key)) << c.what;
        }
        EXPECT_EQ(matched, c.matched) << c.what;
        std::vector<std::string> unmatched;
        for (const std::string& name : match.unmatched) unmatched.push_back(Cp932ToUtf8(name));
        EXPECT_EQ(unmatched, c.unmatched) << c.what;
    }
}

}  // namespace
}  // namespace tovi
