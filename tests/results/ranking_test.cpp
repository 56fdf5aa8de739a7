#include "results/ranking.h"

#include <gtest/gtest.h>

#include <optional>
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

const std::string kMale = cp932::kMale;
const std::string kFemale = cp932::kFemale;

struct Entrant {
    std::string name;
    std::string gender = kMale;
    std::optional<Strokes> strokes = std::nullopt;  // nothing: no card at all
    int group = 1;
    std::optional<BirthDate> born = std::nullopt;
};

// The players in the order given, with a card for each that has strokes.
std::pair<std::vector<Player>, Results> Meeting(const std::vector<Entrant>& entrants,
                                                ResultSettings settings) {
    std::vector<Player> players;
    Results results;
    results.settings = settings;
    for (const Entrant& e : entrants) {
        const MemberKey key{MakeMemberLine(e.name, "T", e.gender), 1};
        players.push_back({key, e.name, "T", e.gender, e.born, e.group});
        if (e.strokes) results.cards[key] = CardOf(*e.strokes);
    }
    return {players, results};
}

// Entrants written "A:333 B:14/2. C": a name, then one digit per hole, '.'
// for a hole not entered and '/' between rounds; without a colon no card.
// A date of birth may follow after '@' ("A:333@19500315").  Names beginning
// with W are women's, with X of neither gender, others men's.
std::vector<Entrant> EntrantsOf(const std::string& written) {
    std::vector<Entrant> entrants;
    std::istringstream in(written);
    for (std::string token; in >> token;) {
        std::optional<BirthDate> born;
        if (const std::size_t at = token.find('@'); at != std::string::npos) {
            born = ReadBirthDateField(token.substr(at + 1));
            EXPECT_TRUE(born) << token;
            token.resize(at);
        }
        const std::size_t colon = token.find(':');
        Entrant& e = entrants.emplace_back(Entrant{token.substr(0, colon)});
        e.gender = token[0] == 'W' ? kFemale : token[0] == 'X' ? "?" : kMale;
        e.born = born;
        if (colon == std::string::npos) continue;
        e.strokes = Strokes(1);
        for (const char c : token.substr(colon + 1)) {
            if (c == '/') e.strokes->emplace_back();
            if (c != '/') e.strokes->back().push_back(c == '.' ? 0 : c - '0');
        }
    }
    return entrants;
}

// Decisions written "CAB DE": the one-letter names of each, in the order
// decided; a name nobody plays under stands for a member not playing.
std::vector<std::vector<MemberKey>> DecisionsOf(const std::string& written) {
    std::vector<std::vector<MemberKey>> decisions;
    std::istringstream in(written);
    for (std::string names; in >> names;) {
        decisions.emplace_back();
        for (const char name : names)
            decisions.back().push_back(
                {MakeMemberLine(std::string(1, name), "T", name == 'W' ? kFemale : kMale), 1});
    }
    return decisions;
}

std::string DecisionsText(const std::vector<std::vector<MemberKey>>& decisions) {
    std::string text;
    for (const std::vector<MemberKey>& decision : decisions) {
        if (!text.empty()) text += ' ';
        for (const MemberKey& key : decision) text += key.line.substr(0, key.line.find(','));
    }
    return text;
}

// The ranking written "B1 A2 U-": each name and its rank, '-' for none; a
// decided rank is followed by '*' and the rank of its tie.
std::string StandingsOf(const std::string& written, ResultSettings settings, int holes,
                        RankingList list, const std::string& decisions = "",
                        bool olderFirst = true) {
    auto [players, results] = Meeting(EntrantsOf(written), settings);
    results.decisions = DecisionsOf(decisions);
    results.olderFirst = olderFirst;
    const Ranking ranking = RankPlayers(players, results, holes, list);
    EXPECT_EQ(ranking.rounds, settings.rounds);
    std::string standings;
    for (const RankedRow& row : ranking.rows) {
        if (!standings.empty()) standings += ' ';
        standings += players[row.player].name;
        standings += row.rank ? std::to_string(*row.rank) : "-";
        if (row.decided) standings += '*' + std::to_string(row.tie.value_or(0));
        EXPECT_TRUE(row.decided || row.tie == row.rank) << standings;
    }
    return standings;
}

TEST(ResultRanking, OrdersByTotalThenHolesInOneTwoThreeFour) {
    const auto all = RankingList::All;
    const struct {
        const char* what;
        ResultSettings settings;
        int holes;
        RankingList list;
        std::string entrants, expected;
    } cases[] = {
        {"fewer strokes first", {1, 0}, 3, all, "A:333 B:222 C:444", "B1 A2 C3"},
        {"equal total: more holes in one", {1, 0}, 3, all, "B:333 A:144", "A1 B2"},
        {"then more holes in two", {1, 0}, 3, all, "B:333 A:234", "A1 B2"},
        {"then more holes in three", {1, 0}, 4, all, "B:3344 A:3335", "A1 B2"},
        {"then more holes in four", {1, 0}, 3, all, "B:554 A:446", "A1 B2"},
        {"equal in all: one rank, given order, the next counting all ahead",
         {1, 0},
         3,
         all,
         "D:444 B:234 W:222 C:432",
         "W1 B2 C2 D4"},
        {"a hole not entered: after the ranked, no rank, given order",
         {1, 0},
         3,
         all,
         "Ua:11. A:555 Ub B:444 Uc:",
         "B1 A2 Ua- Ub- Uc-"},
        {"no deduction", {1, 0}, 3, all, "A:119 B:334", "B1 A2"},
        {"the deduction takes holes in one off", {1, 1}, 3, all, "A:119 B:334", "A1 B2"},
        {"every round counts, a gap in round 2 unranks",
         {2, 0},
         2,
         all,
         "A:22/2. B:33/33 C:44/11",
         "C1 B2 A-"},
        {"holes beyond the count neither count nor unrank", {1, 0}, 2, all, "A:33 B:221", "B1 A2"},
        {"men on their own", {1, 0}, 1, RankingList::Men, "Wa:1 Ma:3 X:1 Mb:2 Mc", "Mb1 Ma2 Mc-"},
        {"women on their own", {1, 0}, 1, RankingList::Women, "Wa:4 Ma:1 Wb:2", "Wb1 Wa2"},
        {"all: both and any other gender", {1, 0}, 1, all, "Wa:4 Ma:1 X:2", "Ma1 X2 Wa3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StandingsOf(c.entrants, c.settings, c.holes, c.list), c.expected) << c.what;
}

TEST(ResultRanking, DecisionsOrderTheTiesTheyHold) {
    const auto all = RankingList::All, men = RankingList::Men;
    const struct {
        const char* what;
        std::string entrants, decisions;
        RankingList list;
        std::string expected;
    } cases[] = {
        {"a whole tie: ranks from its own on", "A:333 B:333 C:333 D:222", "CAB", all,
         "D1 C2*2 A3*2 B4*2"},
        {"the next tie keeps its rank", "A:222 B:222 C:333 D:333", "BA", all, "B1*1 A2*1 C3 D3"},
        {"part of a tie: its places, ranks kept", "A:333 B:333 C:333", "CA", all, "C1 B1 A1"},
        {"two in one tie", "A:333 B:333 C:333 D:333", "BA DC", all, "B1 A1 D1 C1"},
        {"players the sums part", "A:333 B:334", "BA", all, "A1 B2"},
        {"two of three still tied", "A:333 B:333 C:444", "CBA", all, "B1*1 A2*1 C3"},
        {"members not playing", "A:333 B:333", "ZBYA", all, "B1*1 A2*1"},
        {"players without a rank", "A:33. B:33.", "BA", all, "A- B-"},
        {"decided in 全体", "A:333 W:333 B:333", "WBA", all, "W1*1 B2*1 A3*1"},
        {"the men of it in 男子", "A:333 W:333 B:333", "WBA", men, "B1*1 A2*1"},
        {"decided in 男子, in 全体", "A:333 W:333 B:333", "BA", all, "B1 W1 A1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StandingsOf(c.entrants, {1, 0}, 3, c.list, c.decisions), c.expected) << c.what;
}

TEST(ResultRanking, AgeOrdersWhatTheStrokesLeaveEqual) {
    const auto all = RankingList::All, men = RankingList::Men, women = RankingList::Women;
    const struct {
        const char* what;
        std::string entrants, decisions;
        RankingList list;
        bool olderFirst;
        std::string expected;
    } cases[] = {
        {"the older first", "B:333@19600101 A:333@19500101", "", all, true, "A1*1 B2*1"},
        {"born on one day: shared, the next counting all ahead",
         "A:333@19500101 B:333@19500101 C:333@19400101 D:333@19600101", "", all, true,
         "C1*1 A2*1 B2*1 D4*1"},
        {"no date: after the dated, sharing among themselves",
         "U:333 A:333@19500101 V:333 B:333@19600101", "", all, true, "A1*1 B2*1 U3*1 V3*1"},
        {"nobody with a date: shared, not decided", "B:333 A:333", "", all, true, "B1 A1"},
        {"all born on one day: shared, not decided", "B:333@19500101 A:333@19500101", "", all, true,
         "B1 A1"},
        {"only within a tie", "D:444@19000101 B:333@19500101 A:222@19900101 C:333@19400101", "",
         all, true, "A1 C2*2 B3*2 D4"},
        {"the next tie keeps its rank", "A:222@19600101 B:222@19500101 C:333 D:333", "", all, true,
         "B1*1 A2*1 C3 D3"},
        {"players without a rank keep the order given", "B:33.@19600101 A:33.@19500101", "", all,
         true, "B- A-"},
        {"off: as the strokes leave them", "B:333@19600101 A:333@19500101", "", all, false,
         "B1 A1"},
        {"a decision of the whole tie over age", "A:333@19500101 B:333@19600101", "BA", all, true,
         "B1*1 A2*1"},
        {"a decision of part of it: its places, then age ranks in that order",
         "A:333@19500101 B:333@19600101 C:333", "CA", all, true, "C1*1 B2*1 A3*1"},
        {"a decision of part of it between two without a date", "A:333 B:333 C:333@19500101", "BA",
         all, true, "C1*1 B2*1 A2*1"},
        {"a decision of part of it, off", "A:333@19500101 B:333@19600101 C:333", "CA", all, false,
         "C1 B1 A1"},
        {"全体", "A:222 W:333@19000101 B:333@19600101 C:333@19500101", "", all, true,
         "A1 W2*2 C3*2 B4*2"},
        {"男子", "A:222 W:333@19000101 B:333@19600101 C:333@19500101", "", men, true,
         "A1 C2*2 B3*2"},
        {"女子: alone in her tie", "A:222 W:333@19000101 B:333@19600101 C:333@19500101", "", women,
         true, "W1"},
        {"男子, off", "A:222 W:333@19000101 B:333@19600101 C:333@19500101", "", men, false,
         "A1 B2 C2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StandingsOf(c.entrants, {1, 0}, 3, c.list, c.decisions, c.olderFirst), c.expected)
            << c.what;
}

TEST(ResultRanking, MoveWithinTieRecordsTheNewOrder) {
    const auto all = RankingList::All, men = RankingList::Men;
    const struct {
        const char* what;
        std::string entrants, decisions;
        RankingList list;
        std::size_t row;
        int step;
        std::string after;  // the decisions after it, after '-' when it refused
    } cases[] = {
        {"down, nothing decided yet", "A:333 B:333 C:333", "", all, 0, 1, "BAC"},
        {"up, in the decision", "A:333 B:333", "BA", all, 1, -1, "AB"},
        {"the first up", "A:333 B:333", "BA", all, 0, -1, "-BA"},
        {"the last down", "A:333 B:333 C:444", "", all, 1, 1, "-"},
        {"alone in its rank", "A:222 B:333", "", all, 0, 1, "-"},
        {"without a rank", "A:33. B:33.", "", all, 0, 1, "-"},
        {"past the rows", "A:333 B:333", "", all, 2, -1, "-"},
        {"a step of two", "A:333 B:333 C:333", "", all, 0, 2, "-"},
        {"the woman keeps her place", "A:333 W:333 B:333", "WBA", men, 0, 1, "WAB"},
        {"a tie held in part: decisions left, one lapsing", "A:333 B:333 C:333 D:444 E:444",
         "BA DCE", all, 2, -1, "DE BCA"},
        {"the men of a 全体 tie", "A:333 W:333 B:333", "", men, 1, -1, "BA"},
        {"in the order age made", "A:333@19600101 B:333@19500101", "", all, 0, 1, "AB"},
    };
    for (const auto& c : cases) {
        auto [players, results] = Meeting(EntrantsOf(c.entrants), {1, 0});
        results.decisions = DecisionsOf(c.decisions);
        const Ranking before = RankPlayers(players, results, 3, c.list);
        const bool moved = MoveWithinTie(players, before, c.row, c.step, results.decisions);
        EXPECT_EQ((moved ? "" : "-") + DecisionsText(results.decisions), c.after) << c.what;
        if (!moved) continue;
        // The ranking made anew shows the move.
        EXPECT_EQ(RankPlayers(players, results, 3, c.list).rows[c.row + c.step].player,
                  before.rows[c.row].player)
            << c.what;
    }
}

TEST(ResultRanking, AFullMeetingOfEqualPlayersKeepsTheGivenOrder) {
    // Every third one a stroke worse, so that the sort has to move players.
    std::string entrants, ahead, behind;
    for (int i = 0; i < MaxEntrants; ++i) {
        const std::string name = "P" + std::to_string(i) + "_";
        entrants += name + (i % 3 == 2 ? ":43 " : ":33 ");
        (i % 3 == 2 ? behind : ahead) += name + (i % 3 == 2 ? "25 " : "1 ");
    }
    ahead += behind;
    ahead.pop_back();
    EXPECT_EQ(StandingsOf(entrants, {1, 0}, 2, RankingList::All), ahead);
}

TEST(ResultRanking, PlayersInGroupOrderTakeTheirRosterLines) {
    TournamentState state;
    const std::string yamada = Utf8ToCp932("山田,東町,男,19500315,0,0,0,0,");
    const std::string sato = MakeMemberLine(Utf8ToCp932("佐藤"), "a,b", kFemale);
    state.rosterList = {yamada, yamada, sato, "lone"};
    state.groupList[0] = {"0"};  // not a group
    state.groupList[1] = {"2", "x"};
    state.groupList[3] = {"1", "0", "4", "-1", "3"};
    const std::vector<Player> expected = {
        {{sato, 1}, Utf8ToCp932("佐藤"), "a,b", kFemale, std::nullopt, 1},
        {{yamada, 2}, Utf8ToCp932("山田"), Utf8ToCp932("東町"), kMale, BirthDate{1950, 3, 15}, 3},
        {{yamada, 1}, Utf8ToCp932("山田"), Utf8ToCp932("東町"), kMale, BirthDate{1950, 3, 15}, 3},
        {{"lone", 1}, "lone", "", "", std::nullopt, 3},
    };
    EXPECT_EQ(PlayersInGroupOrder(state), expected);
}

TEST(ResultRanking, PlayerOfReadsTheDateOfBirthFromTheFourthField) {
    const struct {
        const char* line;
        std::optional<BirthDate> born;
    } cases[] = {
        {"A,T,M,19500315,0,0,0,0,", BirthDate{1950, 3, 15}},
        {"A,T,M,0,0,0,0,0,", std::nullopt},
        {"A,T,M,20230230,0,0,0,0,", std::nullopt},  // no such day
        {"A,T,M,19500315x,0,0,0,0,", std::nullopt},
        {"A,T,M,\"19500315\",0,0,0,0,", BirthDate{1950, 3, 15}},
        {"A,T,M", std::nullopt},
        {"A,T,M,,19500315", std::nullopt},  // the fifth field is no date of birth
    };
    for (const auto& c : cases) {
        const Player player = PlayerOf({c.line, 2}, 4);
        EXPECT_EQ(player.born, c.born) << c.line;
        EXPECT_EQ(player.name, "A") << c.line;
        EXPECT_EQ(player.gender, "M") << c.line;
        EXPECT_EQ(player.group, 4) << c.line;
    }
}

TEST(ResultRanking, PlayersWithStrokesInNoGroupAreShownApart) {
    const std::string yamada = Utf8ToCp932("山田,東町,男,0,0,0,0,0,");
    const std::string sato = Utf8ToCp932("佐藤,西町,女,0,0,0,0,0,");
    const std::string gone = Utf8ToCp932("鈴木,南町,男,0,0,0,0,0,");
    const std::vector<std::string> roster = {yamada, sato, yamada};
    Results results;
    results.cards[{yamada, 1}] = CardOf({{1}});
    results.cards[{yamada, 2}] = CardOf({{2}});
    results.cards[{sato, 1}] = ScoreCard();  // no strokes: not shown
    results.cards[{gone, 1}] = CardOf({{3}});
    results.cards[{yamada, 3}] = CardOf({{4}});  // a third 山田 the roster no longer has
    const Player grouped = {{yamada, 1}, Utf8ToCp932("山田"), Utf8ToCp932("東町"),
                            kMale,       std::nullopt,        2};
    const Player second = {{yamada, 2}, Utf8ToCp932("山田"), Utf8ToCp932("東町"),
                           kMale,       std::nullopt,        0};
    const Player third = {{yamada, 3}, Utf8ToCp932("山田"), Utf8ToCp932("東町"),
                          kMale,       std::nullopt,        0};
    const Player suzuki = {{gone, 1}, Utf8ToCp932("鈴木"), Utf8ToCp932("南町"),
                           kMale,     std::nullopt,        0};
    // Roster order first, then the others in the order of their keys.
    EXPECT_EQ(PlayersInNoGroup({grouped}, roster, results),
              (std::vector<Player>{second, third, suzuki}));
    EXPECT_EQ(PlayersInNoGroup({grouped, second}, roster, {}), std::vector<Player>{});
}

TEST(ResultRankingCsv, WritesExactBytes) {
    const struct {
        const char* what;
        ResultSettings settings;
        int holes;
        std::vector<Entrant> entrants;  // UTF-8
        std::string expected;           // UTF-8
        std::string decisions = "";
    } cases[] = {
        {"one round, nobody",
         {1, 0},
         3,
         {},
         "順位,氏名,チーム,性別,組,1R,実打数,一打,二打,合計\r\n"},
        {"ranked, then unranked with what is entered, quoted texts",
         {2, 1},
         2,
         {{"A, B", "女", Strokes{{3, 3}, {3, 0}}, 2},
          {"山田", "男", Strokes{{1, 3}, {2, 2}}, 1},
          {"say \"hi\"", "男", std::nullopt, 3}},
         "順位,氏名,チーム,性別,組,1R,2R,実打数,一打,二打,合計\r\n"
         "1,山田,T,男,1,4,4,8,1,2,7\r\n"
         ",\"A, B\",T,女,2,6,3,9,0,0,9\r\n"
         ",\"say \"\"hi\"\"\",T,男,3,0,0,0,0,0,0\r\n"},
        {"four rounds and a total below zero",
         {4, 3},
         1,
         {{"A B", "男", Strokes{{1}, {1}, {1}, {1}}, 6}},
         "順位,氏名,チーム,性別,組,1R,2R,3R,4R,実打数,一打,二打,合計\r\n"
         "1,\"A B\",T,男,6,1,1,1,1,4,4,0,-8\r\n"},
        {"a decided rank plain, no group empty",
         {1, 0},
         1,
         {{"A", "男", Strokes{{2}}, 0}, {"B", "男", Strokes{{2}}, 3}},
         "順位,氏名,チーム,性別,組,1R,実打数,一打,二打,合計\r\n"
         "1,B,T,男,3,2,2,0,1,2\r\n"
         "2,A,T,男,,2,2,0,1,2\r\n",
         "BA"},
    };
    for (const auto& c : cases) {
        std::vector<Entrant> entrants = c.entrants;
        for (Entrant& e : entrants) {
            e.name = Utf8ToCp932(e.name);
            e.gender = Utf8ToCp932(e.gender);
        }
        auto [players, results] = Meeting(entrants, c.settings);
        results.decisions = DecisionsOf(c.decisions);
        const Ranking ranking = RankPlayers(players, results, c.holes, RankingList::All);
        EXPECT_EQ(Cp932ToUtf8(FormatRankingCsv(players, ranking)), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace tovi
