#include "sheets/ranking_sheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "results/card_builder.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using test::RecordingSurface;

Player Entrant(const char* name, const char* team, int group, int occurrence = 1) {
    const std::string line = Utf8ToCp932(std::string(name) + "," + team + ",男,0,0,0,0,0,");
    return {{line, occurrence}, Utf8ToCp932(name), Utf8ToCp932(team),
            cp932::kMale,       std::nullopt,      group};
}

RankingSheetHeader Header() {
    return {Utf8ToCp932("楓林会スコア表"),
            Utf8ToCp932("秋季親睦会"),
            Utf8ToCp932("市民公園"),
            "10",
            "9",
            "8",
            Utf8ToCp932("全体")};
}

// The texts drawn from `from` on, as "x,y:text".
std::vector<std::string> TextsFrom(const RecordingSurface& page, std::size_t from) {
    const std::vector<std::string> log = page.TextLog();
    return {log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end()};
}

TEST(ResultRankingSheet, LaysTheListOutInRankingOrder) {
    const std::vector<Player> players = {Entrant("花子", "西町", 1), Entrant("一郎", "東町", 2)};
    Results results;
    results.cards[players[0].key] = CardOf({{1}, {0}});
    results.cards[players[1].key] = CardOf({{3}, {4}});
    const Ranking ranking = RankPlayers(players, results, 1, RankingList::All);
    RecordingSurface page;
    DrawRankingSheet(page, 1.0, Header(), players, ranking, 0);

    // The heading of the page, then of the table, then the rows.
    const std::vector<std::string> heading = {
        "10,0:楓林会スコア表", "10,44:【大会名】", "100,44:秋季親睦会", "10,68:【コース】",
        "100,68:市民公園",     "540,68:10",        "560,68:年",         "590,68:9",
        "610,68:月",           "640,68:8",         "660,68:日",         "10,100:成績表　全体",
        "14,141:順位",         "58,141:氏名",      "198,141:チーム",    "326,141:組",
        "358,141:1R",          "402,141:2R",       "446,141:実打数",    "498,141:一打",
        "538,141:二打",        "578,141:合計"};
    const std::vector<std::string> log = page.TextLog();
    ASSERT_EQ(log.size(), heading.size() + 10 + 9);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + heading.size()), heading);
    // Numbers end 4 units before the column's right edge, half a height a digit.
    const std::vector<std::string> rows = {
        "42,166:1",    "58,166:一郎",  "198,166:東町", "342,166:2", "386,166:3",
        "430,166:4",   "482,166:7",    "522,166:0",    "562,166:0", "610,166:7",
        "58,190:花子", "198,190:西町", "342,190:1",    "386,190:1", "430,190:0",
        "482,190:1",   "522,190:1",    "562,190:0",    "610,190:1"};
    EXPECT_EQ(TextsFrom(page, heading.size()), rows);

    // Rules: the top, under the heading and under each row; between the ten columns.
    int across = 0, down = 0;
    for (const auto& line : page.lines) {
        across += line.y1 == line.y2 && line.x1 == 10 && line.x2 == 622;
        down += line.x1 == line.x2 && line.y1 == 134 && line.y2 == 134 + 28 + 2 * 24;
    }
    EXPECT_EQ(across, 4);
    EXPECT_EQ(down, 11);
}

TEST(ResultRankingSheet, ThirtySixRowsAPageAtTheScaleThatFitsThePage) {
    const struct {
        int rows;
        int pages;
    } counts[] = {{0, 1}, {1, 1}, {36, 1}, {37, 2}, {72, 2}, {73, 3}};
    for (const auto& c : counts) {
        Ranking ranking;
        ranking.rows.resize(static_cast<std::size_t>(c.rows));
        EXPECT_EQ(RankingSheetPages(ranking), c.pages) << c.rows;
    }

    const struct {
        int width, height;
        double scale;
    } scales[] = {{720, 1040, 1.0},
                  {1440, 1040, 1.0},
                  {720, 2080, 1.0},
                  {3600, 5200, 5.0},
                  {4760, 6814, 6814.0 / 1040}};
    for (const auto& s : scales)
        EXPECT_DOUBLE_EQ(RankingSheetScale(s.width, s.height), s.scale) << s.width;

    // 37 players: the 37th alone on the second page, at the first row's place.
    std::vector<Player> players;
    Results results;
    for (int i = 0; i < 37; ++i) {
        players.push_back(Entrant("選手", "T", 1 + i / 6, i + 1));
        results.cards[players.back().key] = CardOf({{1 + i % 9}});
    }
    const Ranking ranking = RankPlayers(players, results, 1, RankingList::All);
    RecordingSurface first, second;
    DrawRankingSheet(first, 3.0, Header(), players, ranking, 0);
    DrawRankingSheet(second, 3.0, Header(), players, ranking, 1);
    int firstRows = 0, secondRows = 0;
    for (const auto& t : first.texts) firstRows += t.text == Utf8ToCp932("選手");
    for (const auto& t : second.texts) secondRows += t.text == Utf8ToCp932("選手");
    EXPECT_EQ(firstRows, 36);
    EXPECT_EQ(secondRows, 1);
    const test::TextCall* last = second.FindText("選手");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->x, 174);  // trunc(58 x 3)
    EXPECT_EQ(last->y, 498);  // trunc(166 x 3)
    EXPECT_EQ(last->height, 48);
    // Everything within the page.
    for (const auto& t : first.texts) {
        EXPECT_LT(t.x, 720 * 3);
        EXPECT_LT(t.y + t.height, 1040 * 3);
    }
}

TEST(ResultRankingSheet, MarksADecidedRankAndSaysWhyUnderTheTable) {
    // A tie of two decided for the player of no group (組なし), whose 組 is empty.
    const std::vector<Player> players = {Entrant("花子", "西町", 2), Entrant("一郎", "東町", 0)};
    const CardSums sums{{2}, 2, {0, 1}, 2, true};
    Ranking ranking;
    ranking.rounds = 1;
    ranking.rows = {{1, 1, sums, 1, true}, {0, 2, sums, 1, true}};
    RecordingSurface page;
    DrawRankingSheet(page, 1.0, Header(), players, ranking, 0);
    // The mark is a whole cell wide: 1※ ends where 1 alone would.
    const std::vector<std::string> rows = {
        "26,166:1※",   "58,166:一郎",  "198,166:東町",
        "386,166:2",   "438,166:2",    "478,166:0",
        "518,166:1",   "566,166:2",    "26,190:2※",
        "58,190:花子", "198,190:西町", "342,190:2",
        "386,190:2",   "438,190:2",    "478,190:0",
        "518,190:1",   "566,190:2",    "10,211:※ 同成績のため順位を決定"};
    EXPECT_EQ(TextsFrom(page, 21), rows);
}

TEST(ResultRankingSheet, TheFootnoteIsOnThePagesThatHoldADecidedRank) {
    // 37 rows, one page of 36 and one of 1; the decided rank on either.
    std::vector<Player> players;
    Ranking ranking;
    ranking.rounds = 1;
    for (int i = 0; i < 37; ++i) {
        players.push_back(Entrant("選手", "T", 1, i + 1));
        ranking.rows.push_back({static_cast<std::size_t>(i), i + 1, {{1}, 1, {1}, 1, true}, i + 1});
    }
    const struct {
        std::size_t decided;
        bool onFirst, onSecond;
    } cases[] = {{35, true, false}, {36, false, true}};
    for (const auto& c : cases) {
        Ranking decided = ranking;
        decided.rows[c.decided].decided = true;
        RecordingSurface first, second;
        DrawRankingSheet(first, 2.0, Header(), players, decided, 0);
        DrawRankingSheet(second, 2.0, Header(), players, decided, 1);
        const test::TextCall* onFirst = first.FindText("※ 同成績のため順位を決定");
        EXPECT_EQ(onFirst != nullptr, c.onFirst);
        EXPECT_EQ(second.FindText("※ 同成績のため順位を決定") != nullptr, c.onSecond);
        if (onFirst) {
            EXPECT_EQ(onFirst->y, 2 * 1027);  // under the full table, within the page
            EXPECT_LE(onFirst->y + onFirst->height, 2 * 1040);
            EXPECT_NE(first.FindText("36※"), nullptr);
        }
    }
}

}  // namespace
}  // namespace tovi
