// Score cards written as the strokes of each round, 0 for a hole not entered.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "results/score_card.h"

namespace tovi {

using Strokes = std::vector<std::vector<int>>;

inline ScoreCard CardOf(const Strokes& rounds) {
    ScoreCard card;
    for (std::size_t round = 0; round < rounds.size(); ++round) {
        for (std::size_t hole = 0; hole < rounds[round].size(); ++hole) {
            const int strokes = rounds[round][hole];
            if (strokes == 0) continue;
            EXPECT_TRUE(card.Set(static_cast<int>(round), static_cast<int>(hole), strokes));
        }
    }
    return card;
}

}  // namespace tovi
