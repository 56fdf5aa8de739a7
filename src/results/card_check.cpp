#include "results/card_check.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/member_line.h"

namespace tovi {

std::vector<CardCheckRow> CheckCards(const std::vector<Player>& players, const Results& results,
                                     int holes) {
    std::vector<CardCheckRow> rows;
    const int rounds = std::clamp(results.settings.rounds, kMinRounds, kMaxRounds);
    for (std::size_t player = 0; player < players.size(); ++player) {
        const auto card = results.cards.find(players[player].key);
        if (card == results.cards.end()) continue;
        for (int round = 0; round < rounds; ++round)
            if (const auto mismatch = CheckCardTotal(card->second, round, holes))
                rows.push_back({player, round, *mismatch});
    }
    return rows;
}

std::string FormatCardCheckCsv(const std::vector<Player>& players,
                               const std::vector<CardCheckRow>& rows) {
    std::string csv = Utf8ToCp932("組,氏名,ラウンド,入力計,カード計");
    csv += kCrLf;
    for (const CardCheckRow& row : rows) {
        const Player& player = players.at(row.player);
        if (player.group != 0) csv += std::to_string(player.group);
        csv += ',';
        AppendCommaTextField(csv, player.name);
        csv.append(",").append(std::to_string(row.round + 1)).append("R,");
        if (row.mismatch.holesSum) csv += std::to_string(*row.mismatch.holesSum);
        csv.append(",").append(std::to_string(row.mismatch.cardTotal)).append(kCrLf);
    }
    return csv;
}

}  // namespace tovi
