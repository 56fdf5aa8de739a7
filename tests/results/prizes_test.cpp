#include "results/prizes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/member_line.h"
#include "results/card_builder.h"

namespace tovi {
namespace {

// Players written "A@x:333 b:14/2. C": a one-letter name (lower case for a
// woman), '@' and a one-letter team, then one digit per hole, '.' for a hole
// not entered and '/' between rounds; without a colon no card.  The meeting
// has the most rounds written.  "=BA": a decision, the names in its order.
std::pair<std::vector<Player>, Results> Meeting(const std::string& written) {
    std::vector<Player> players;
    Results results;
    results.settings = {1, 0};
    std::istringstream in(written);
    for (std::string token; in >> token;) {
        if (token[0] == '=') {
            std::vector<MemberKey>& decision = results.decisions.emplace_back();
            for (const char name : token.substr(1))
                for (const Player& player : players)
                    if (player.name[0] == name) decision.push_back(player.key);
            continue;
        }
        const std::string name = token.substr(0, 1);
        const std::string team = token[1] == '@' ? token.substr(2, 1) : "";
        const std::string gender = name[0] >= 'a' && name[0] <= 'z' ? cp932::kFemale : cp932::kMale;
        players.push_back(
            {{MakeMemberLine(name, team, gender), 1}, name, team, gender, std::nullopt, 1});
        const std::size_t colon = token.find(':');
        if (colon == std::string::npos) continue;
        Strokes strokes(1);
        for (const char c : token.substr(colon + 1)) {
            if (c == '/') strokes.emplace_back();
            if (c != '/') strokes.back().push_back(c == '.' ? 0 : c - '0');
        }
        results.settings.rounds =
            std::max(results.settings.rounds, static_cast<int>(strokes.size()));
        results.cards[players.back().key] = CardOf(strokes);
    }
    return {players, results};
}

// The awards written "男子1位:A1 ホールインワン賞:U-(1回)": the award, the
// player's name and rank ('-' for none), and the note.
std::string AwardsOf(const std::string& written, const PrizeSettings& settings) {
    auto [players, results] = Meeting(written);
    results.prizes = settings;
    std::string text;
    for (const AwardRow& award : AwardPrizes(players, results, 3).awards) {
        if (!text.empty()) text += ' ';
        text += Cp932ToUtf8(award.award) + ':' + players[award.player].name;
        text += award.rank ? std::to_string(*award.rank) : "-";
        if (!award.note.empty()) text += '(' + Cp932ToUtf8(award.note) + ')';
    }
    return text;
}

TEST(ResultPrizes, AwardsByTheRules) {
    const auto sex = PrizeDivision::BySex, all = PrizeDivision::Overall;
    const struct {
        const char* what;
        PrizeSettings settings;
        std::string players, expected;
    } cases[] = {
        {"男女別: a tie takes the places after it",
         {2, sex, 0, false, false},
         "C:444 a:555 A:333 B:333 D:555 b:444",
         "男子1位:A1 男子1位:B1 女子1位:b1 女子2位:a2"},
        {"全体: every player of a tie at the last place",
         {3, all, 0, false, false},
         "C:444 a:555 A:333 B:333 D:555 b:444",
         "1位:A1 1位:B1 3位:C3 3位:b3"},
        {"a decided tie parts the places", {1, all, 0, false, false}, "A:333 B:333 =BA", "1位:B1"},
        {"飛び賞: every rank a multiple, ties too",
         {0, sex, 2, false, false},
         "A:222 B:333 C:333 D:444 E:555 F:666",
         "飛び賞:B2 飛び賞:C2 飛び賞:D4 飛び賞:F6"},
        {"飛び賞 passes over a place, to nobody instead",
         {2, all, 2, false, false},
         "A:222 B:333 C:444 D:555",
         "1位:A1 2位:B2 飛び賞:D4"},
        {"the booby prizes, ties too",
         {0, sex, 0, true, true},
         "A:222 B:333 C:444 D:444 E:555",
         "ブービー賞:C3 ブービー賞:D3 ブービーメーカー賞:E5"},
        {"a tie at the last: ブービー the rank below",
         {0, sex, 0, true, true},
         "A:222 B:333 C:444 D:444",
         "ブービー賞:B2 ブービーメーカー賞:C3 ブービーメーカー賞:D3"},
        {"booby prizes pass over a place and a 飛び賞",
         {2, all, 3, true, true},
         "A:222 B:333 C:444",
         "1位:A1 2位:B2 飛び賞:C3"},
        {"fewer than three ranked", {0, sex, 0, true, true}, "A:222 B:333 U:22.", ""},
        {"all of one rank: no ブービー", {0, sex, 0, true, false}, "A:333 B:333 C:333", ""},
        // Two rounds of three holes: D's fourth hole does not count.
        {"holes in one, then diamonds",
         {1, all, 0, false, false},
         "U:1.. B:222/111 D:2221/222 A:111/111 C:123/222",
         "1位:A1 ホールインワン賞:A1(6回) ホールインワン賞:B2(3回) ホールインワン賞:C3(1回) "
         "ホールインワン賞:U-(1回) ダイヤモンド賞:A1(1R・2R) ダイヤモンド賞:B2(2R)"},
    };
    for (const auto& c : cases) EXPECT_EQ(AwardsOf(c.players, c.settings), c.expected) << c.what;
}

// The teams written "1:y=9(DB) -:w=-()": rank, team, total and the players
// counted.
std::string TeamsOf(const std::string& written, int teamSize) {
    const auto [players, results] = Meeting(written);
    const Ranking overall = RankPlayers(players, results, 3, RankingList::All);
    std::string text;
    for (const TeamRow& team : RankTeams(players, overall, teamSize)) {
        if (!text.empty()) text += ' ';
        text += team.rank ? std::to_string(*team.rank) : "-";
        text += ':' + team.team + '=' + (team.total ? std::to_string(*team.total) : "-") + '(';
        for (const std::size_t player : team.counted) text += players[player].name;
        text += ')';
    }
    return text;
}

TEST(ResultPrizes, RanksTheTeamsByTheirBestPlayers) {
    const struct {
        const char* what;
        std::string players;
        int teamSize;
        std::string expected;
    } cases[] = {
        {"full teams by their sums, then the others by their first player",
         "A@x:111 B@y:222 C@x:333 D@y:111 E@z:222 F:111 G@w:33. H@x:444", 2,
         "1:y=9(DB) 2:x=12(AC) -:z=6(E) -:w=-()"},
        {"equal sums share a rank in the order of their first player",
         "E@z:222 C@y:333 A@x:111 F@z:222 B@y:111 D@x:333 G@v:111 H@v:444", 2,
         "1:x=12(AD) 1:y=12(BC) 1:z=12(EF) 4:v=15(GH)"},
        {"the best by the decided order", "A@x:222 B@x:222 =BA", 1, "1:x=6(B)"},
        {"a size below one counts one", "A@x:111 B@y:222", 0, "1:x=3(A) 2:y=6(B)"},
    };
    for (const auto& c : cases) EXPECT_EQ(TeamsOf(c.players, c.teamSize), c.expected) << c.what;
}

TEST(ResultPrizesCsv, WritesExactBytes) {
    const auto player = [](const char* name, const char* team, int group) {
        const std::string n = Utf8ToCp932(name), t = Utf8ToCp932(team);
        return Player{
            {MakeMemberLine(n, t, cp932::kMale), 1}, n, t, cp932::kMale, std::nullopt, group};
    };
    const std::vector<Player> players = {player("山田", "東,町", 2), player("佐藤", "東,町", 0),
                                         player("鈴木", "西町", 3)};
    Results results;
    results.settings = {1, 0};
    results.prizes = {2, PrizeDivision::BySex, 0, false, false, 2};
    results.cards[players[0].key] = CardOf({{1, 1, 1}});
    results.cards[players[1].key] = CardOf({{2, 2, 3}});
    results.cards[players[2].key] = CardOf({{1, 0, 0}, {1, 1, 1}});  // round 2 not played
    const Prizes prizes = AwardPrizes(players, results, 3);
    EXPECT_EQ(Cp932ToUtf8(FormatAwardsCsv(players, prizes)),
              "賞,順位,氏名,チーム,組,合計,備考\r\n"
              "男子1位,1,山田,\"東,町\",2,3,\r\n"
              "男子2位,2,佐藤,\"東,町\",,7,\r\n"
              "ホールインワン賞,1,山田,\"東,町\",2,3,3回\r\n"
              "ホールインワン賞,,鈴木,西町,3,,1回\r\n"
              "ダイヤモンド賞,1,山田,\"東,町\",2,3,1R\r\n");
    EXPECT_EQ(prizes.holesInOne,
              (std::vector<HoleInOne>{{0, 0, 0, 1}, {0, 0, 1, 2}, {0, 0, 2, 3}, {2, 0, 0, 1}}));
    // Named as the sheets of groups 2 and 3 number their holes: from 3 and from 2.
    EXPECT_EQ(AwardPrizes(players, results, 3, StartHoles{true, {1, 3, 2}}).holesInOne,
              (std::vector<HoleInOne>{{0, 0, 0, 3}, {0, 0, 1, 1}, {0, 0, 2, 2}, {2, 0, 0, 2}}));

    const Ranking overall = RankPlayers(players, results, 3, RankingList::All);
    EXPECT_EQ(Cp932ToUtf8(FormatTeamCsv(players, RankTeams(players, overall, 2))),
              "順位,チーム,合計,人数,選手\r\n"
              "1,\"東,町\",10,2,山田・佐藤\r\n"
              ",西町,,0,\r\n");
}

}  // namespace
}  // namespace tovi
