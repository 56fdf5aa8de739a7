#include "results/card_check.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/member_line.h"
#include "results/card_builder.h"

namespace tovi {
namespace {

Player Named(const char* name, int group) {
    const std::string n = Utf8ToCp932(name);
    return {{MakeMemberLine(n, "T", cp932::kMale), 1}, n, "T", cp932::kMale, std::nullopt, group};
}

TEST(CardCheck, ACardTotalOnlyInRangeAndOnlyForRoundsOfTheCard) {
    ScoreCard card;
    const struct {
        int round;
        std::optional<int> total;
        bool taken;
    } cases[] = {{0, 1, true},     {0, 999, true}, {3, 40, true},          {0, 0, false},
                 {0, 1000, false}, {-1, 5, false}, {kMaxRounds, 5, false}, {0, std::nullopt, true}};
    for (const auto& c : cases) EXPECT_EQ(card.SetCardTotal(c.round, c.total), c.taken) << c.round;
    EXPECT_EQ(card.CardTotal(0), std::nullopt);  // emptied by the last
    EXPECT_EQ(card.CardTotal(3), 40);
    EXPECT_FALSE(card.IsEmpty());  // a カード計 alone is something entered
    card.SetCardTotal(3, std::nullopt);
    EXPECT_TRUE(card.IsEmpty());
}

TEST(CardCheck, ListsEveryRoundThatDoesNotAgreeInPageOrder) {
    // Three holes, two rounds.
    const std::vector<Player> players = {Named("一郎", 2), Named("二郎", 2), Named("花子", 0),
                                         Named("梅子", 1)};
    Results results;
    results.settings = {2, 0};
    const auto card = [&](std::size_t player, const Strokes& strokes,
                          std::vector<std::optional<int>> totals) {
        ScoreCard c = CardOf(strokes);
        for (std::size_t r = 0; r < totals.size(); ++r)
            c.SetCardTotal(static_cast<int>(r), totals[r]);
        results.cards[players[player].key] = c;
    };
    card(0, {{1, 2, 3}, {2, 2, 2}}, {6, 7});                // 1R agrees, 2R 6 typed against 7
    card(1, {{1, 2}, {3, 3, 3}}, {3, std::nullopt});        // a hole missing: 入力計 empty
    card(2, {{4, 4, 4}, {1, 1, 1}}, {13, 3});               // 組なし
    card(3, {{1, 1, 1}, {1, 1, 1}, {9, 9, 9}}, {3, 3, 5});  // the third round is not played
    const std::vector<CardCheckRow> rows = CheckCards(players, results, 3);
    EXPECT_EQ(rows, (std::vector<CardCheckRow>{
                        {0, 1, {6, 7}}, {1, 0, {std::nullopt, 3}}, {2, 0, {12, 13}}}));
    EXPECT_EQ(Cp932ToUtf8(FormatCardCheckCsv(players, rows)),
              "組,氏名,ラウンド,入力計,カード計\r\n"
              "2,一郎,2R,6,7\r\n"
              "2,二郎,1R,,3\r\n"
              ",花子,1R,12,13\r\n");
    // The holes past the course do not count; without カード計 nothing is listed.
    EXPECT_EQ(CheckCards(players, results, 2).size(), 6u);
    EXPECT_TRUE(CheckCards(players, Results{}, 3).empty());
}

}  // namespace
}  // namespace tovi
