// カード計で検算: every round whose カード計, the total written on the card,
// does not agree with the holes typed, so that a slip of a key is found
// before the ranking is read out.  The ranking itself always takes the holes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/ranking.h"
#include "results/score_card.h"

namespace tovi {

// A round of a player that does not agree with its カード計.
struct CardCheckRow {
    std::size_t player = 0;  // index into the players
    int round = 0;           // from 0
    CardMismatch mismatch;
    friend bool operator==(const CardCheckRow&, const CardCheckRow&) = default;
};

// The rounds that do not agree, over the settings' rounds and `holes` holes,
// in the players' order (the pages' order: group, player), then by round.
std::vector<CardCheckRow> CheckCards(const std::vector<Player>& players, const Results& results,
                                     int holes);

// The CSV of the list: 組,氏名,ラウンド,入力計,カード計, ラウンド as 1R.
std::string FormatCardCheckCsv(const std::vector<Player>& players,
                               const std::vector<CardCheckRow>& rows);

}  // namespace tovi
