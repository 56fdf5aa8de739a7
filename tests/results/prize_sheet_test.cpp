#include "sheets/prize_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using test::RecordingSurface;

Player Entrant(const std::string& name, const std::string& team, int group) {
    return {{Utf8ToCp932(name + "," + team + ",男,0,0,0,0,0,"), 1},
            Utf8ToCp932(name),
            Utf8ToCp932(team),
            Utf8ToCp932("男"),
            std::nullopt,
            group};
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

// The texts after the header's eleven, as "x,y:text".
std::vector<std::string> TextsUnderHeader(const RecordingSurface& page) {
    const std::vector<std::string> log = page.TextLog();
    return {log.begin() + std::min<std::ptrdiff_t>(11, std::ssize(log)), log.end()};
}

TEST(ResultPrizeSheet, TeamResultsWithTheCountedPlayersCutAtTheColumnsEdge) {
    // The 選手 column holds 56 bytes of CP932; Xあいう is seven.
    const std::vector<Player> players = {Entrant("一郎", "東町", 1), Entrant("次郎", "西町", 2),
                                         Entrant("花子", "東町", 1), Entrant("Xあいう", "北町", 3)};
    const std::vector<TeamRow> teams = {
        {1, Utf8ToCp932("東町"), 12, {0, 2}},
        {std::nullopt, Utf8ToCp932("西町"), 7, {1}},
        {std::nullopt, Utf8ToCp932("北町"), 40, {3, 3, 3, 3, 3, 3}},
        {std::nullopt, Utf8ToCp932("北町"), 40, {3, 3, 3, 3, 3, 3, 3}}};
    RecordingSurface page;
    DrawTeamSheet(page, 1.0, Header(), players, teams, 0);
    const std::vector<std::string> texts = {
        "10,100:団体成績", "14,141:順位", "58,141:チーム", "218,141:合計", "266,141:人数",
        "310,141:選手",
        // Numbers end 4 units before the column's edge.
        "42,166:1", "58,166:東町", "242,166:12", "294,166:2", "310,166:一郎・花子", "58,190:西町",
        "250,190:7", "294,190:1", "310,190:次郎",
        // Six names are 52 bytes; of the seventh only X fits whole.
        "58,214:北町", "242,214:40", "294,214:6",
        "310,214:Xあいう・Xあいう・Xあいう・Xあいう・Xあいう・Xあいう", "58,238:北町", "242,238:40",
        "294,238:7", "310,238:Xあいう・Xあいう・Xあいう・Xあいう・Xあいう・Xあいう・X"};
    EXPECT_EQ(TextsUnderHeader(page), texts);
}

TEST(ResultPrizeSheet, AwardsThenTheHolesInOneUnderTheirTitle) {
    const std::vector<Player> players = {Entrant("一郎", "東町", 2), Entrant("花子", "西町", 0)};
    Prizes prizes;
    prizes.awards = {
        {AwardKind::Place, Utf8ToCp932("男子1位"), 0, 1, 12, ""},
        {AwardKind::HoleInOne, Utf8ToCp932("ホールインワン賞"), 1, 3, 15, Utf8ToCp932("2回")}};
    // Each named as the player's sheet prints the hole.
    prizes.holesInOne = {{1, 0, 2, 7}, {1, 1, 11, 12}};
    RecordingSurface page;
    DrawAwardSheet(page, 1.0, Header(), players, prizes, 0);
    const std::vector<std::string> texts = {
        "10,100:表彰一覧", "14,141:賞", "150,141:順位", "194,141:氏名", "334,141:チーム",
        "462,141:組", "494,141:合計", "542,141:備考",
        //
        "14,166:男子1位", "178,166:1", "194,166:一郎", "334,166:東町", "478,166:2", "518,166:12",
        // The player of no group has no 組.
        "14,190:ホールインワン賞", "178,190:3", "194,190:花子", "334,190:西町", "518,190:15",
        "542,190:2回",
        // 16 units under the awards, the title; its table 28 units lower.
        "10,226:ホールインワン", "14,261:氏名", "154,261:ラウンド", "218,261:ホール", "14,286:花子",
        "194,286:1R", "254,286:7", "14,310:花子", "194,310:2R", "246,310:12"};
    EXPECT_EQ(TextsUnderHeader(page), texts);
    int holeRules = 0;
    for (const auto& line : page.lines) holeRules += line.y1 == line.y2 && line.x2 == 10 + 256;
    EXPECT_EQ(holeRules, 4);  // above and under the heading, under each row
}

TEST(ResultPrizeSheet, PagesFlowOnAtThirtySixRowsTheHoleInOneTitleCountingThree) {
    const struct {
        std::size_t teams;
        int pages;
    } teamCounts[] = {{0, 1}, {1, 1}, {36, 1}, {37, 2}, {72, 2}, {73, 3}};
    for (const auto& c : teamCounts)
        EXPECT_EQ(TeamSheetPages(std::vector<TeamRow>(c.teams)), c.pages) << c.teams;

    const std::vector<Player> players = {Entrant("受賞者", "T", 1), Entrant("達人", "T", 1)};
    const struct {
        std::size_t awards, holes;
        int pages;
        int titles;    // of the hole-in-one table, over all the pages
        int titleTop;  // of the first of them; 0 for none
    } cases[] = {
        {0, 0, 1, 0, 0},    {36, 0, 1, 0, 0},    {37, 0, 2, 0, 0},
        {32, 1, 1, 1, 946},  // 32 awards, the title and one row: a full page
        {33, 1, 2, 1, 150},  // no room for a row under the title: it starts a page
        {32, 2, 2, 2, 946},  // the second row goes on under the title repeated
        {0, 33, 1, 1, 178},  // under the awards' empty table
        {0, 34, 2, 2, 178}, {36, 33, 2, 1, 150}, {36, 34, 3, 2, 150},
    };
    for (const auto& c : cases) {
        Prizes prizes;
        prizes.awards.resize(c.awards, {AwardKind::Place, "1", 0, 1, 1, ""});
        prizes.holesInOne.resize(c.holes, {1, 0, 0});
        const int pages = AwardSheetPages(prizes);
        EXPECT_EQ(pages, c.pages) << c.awards << " " << c.holes;
        // Every row once, every text within the page.
        std::size_t awarded = 0, holes = 0;
        int titles = 0, firstTitle = 0;
        for (int p = 0; p < pages; ++p) {
            RecordingSurface page;
            DrawAwardSheet(page, 1.0, Header(), players, prizes, p);
            for (const auto& t : page.texts) {
                awarded += t.text == Utf8ToCp932("受賞者");
                holes += t.text == Utf8ToCp932("達人");
                if (t.text == Utf8ToCp932("ホールインワン") && titles++ == 0) firstTitle = t.y;
                EXPECT_LE(t.y + t.height, 1040) << c.awards << " " << c.holes;
            }
        }
        EXPECT_EQ(awarded, c.awards);
        EXPECT_EQ(holes, c.holes);
        EXPECT_EQ(titles, c.titles) << c.awards << " " << c.holes;
        EXPECT_EQ(firstTitle, c.titleTop) << c.awards << " " << c.holes;
    }
}

}  // namespace
}  // namespace tovi
