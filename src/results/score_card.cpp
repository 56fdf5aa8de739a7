#include "results/score_card.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tovi {
namespace {

// Index of a cell in the card, or nothing for a cell outside it.
std::optional<std::size_t> CellIndex(int round, int hole) {
    if (round < 0 || round >= kMaxRounds || hole < 0 || hole >= kMaxHoles) return std::nullopt;
    return static_cast<std::size_t>(round * kMaxHoles + hole);
}

}  // namespace

bool IsValidSettings(const ResultSettings& settings) {
    return settings.rounds >= kMinRounds && settings.rounds <= kMaxRounds &&
           settings.holeInOneDeduction >= 0 &&
           settings.holeInOneDeduction <= kMaxHoleInOneDeduction;
}

bool IsValidPrizeSettings(const PrizeSettings& settings) {
    const bool tobi = settings.tobiEvery == 0 ||
                      (settings.tobiEvery >= kMinTobiEvery && settings.tobiEvery <= kMaxTobiEvery);
    const bool division =
        settings.division == PrizeDivision::BySex || settings.division == PrizeDivision::Overall;
    return settings.places >= 0 && settings.places <= kMaxPlaces && tobi && division &&
           settings.teamSize >= kMinTeamSize && settings.teamSize <= kMaxTeamSize;
}

std::vector<MemberKey> MemberKeys(const std::vector<std::string>& rosterLines) {
    std::vector<MemberKey> keys;
    keys.reserve(rosterLines.size());
    std::map<std::string_view, int> seen;
    for (const std::string& line : rosterLines) keys.push_back({line, ++seen[line]});
    return keys;
}

std::optional<int> ScoreCard::Strokes(int round, int hole) const {
    const auto index = CellIndex(round, hole);
    if (!index || cells_[*index] == 0) return std::nullopt;
    return cells_[*index];
}

bool ScoreCard::Set(int round, int hole, std::optional<int> strokes) {
    const auto index = CellIndex(round, hole);
    if (!index) return false;
    if (strokes && (*strokes < kMinStrokes || *strokes > kMaxStrokes)) return false;
    cells_[*index] = static_cast<std::uint8_t>(strokes.value_or(0));
    return true;
}

std::optional<int> ScoreCard::CardTotal(int round) const {
    if (round < 0 || round >= kMaxRounds || totals_[static_cast<std::size_t>(round)] == 0)
        return std::nullopt;
    return totals_[static_cast<std::size_t>(round)];
}

bool ScoreCard::SetCardTotal(int round, std::optional<int> total) {
    if (round < 0 || round >= kMaxRounds) return false;
    if (total && (*total < kMinCardTotal || *total > kMaxCardTotal)) return false;
    totals_[static_cast<std::size_t>(round)] = static_cast<std::uint16_t>(total.value_or(0));
    return true;
}

bool ScoreCard::IsEmpty() const {
    return std::all_of(cells_.begin(), cells_.end(), [](std::uint8_t cell) { return cell == 0; }) &&
           std::all_of(totals_.begin(), totals_.end(), [](std::uint16_t t) { return t == 0; });
}

std::optional<CardMismatch> CheckCardTotal(const ScoreCard& card, int round, int holes) {
    const std::optional<int> total = card.CardTotal(round);
    if (!total) return std::nullopt;
    std::optional<int> sum = 0;
    for (int hole = 0; hole < std::clamp(holes, kMinHoles, kMaxHoles); ++hole) {
        const std::optional<int> strokes = card.Strokes(round, hole);
        if (!strokes) {
            sum.reset();
            break;
        }
        *sum += *strokes;
    }
    if (sum == total) return std::nullopt;
    return CardMismatch{sum, *total};
}

CardSums SumCard(const ScoreCard& card, const ResultSettings& settings, int holes) {
    const int rounds = std::clamp(settings.rounds, kMinRounds, kMaxRounds);
    const int deduction = std::clamp(settings.holeInOneDeduction, 0, kMaxHoleInOneDeduction);
    holes = std::clamp(holes, kMinHoles, kMaxHoles);

    CardSums sums;
    sums.roundSums.assign(static_cast<std::size_t>(rounds), 0);
    sums.complete = true;
    for (int round = 0; round < rounds; ++round) {
        for (int hole = 0; hole < holes; ++hole) {
            const std::optional<int> strokes = card.Strokes(round, hole);
            if (!strokes) {
                sums.complete = false;
                continue;
            }
            sums.roundSums[static_cast<std::size_t>(round)] += *strokes;
            sums.strokes += *strokes;
            if (*strokes <= static_cast<int>(sums.holesIn.size()))
                ++sums.holesIn[static_cast<std::size_t>(*strokes - 1)];
        }
    }
    sums.total = sums.strokes - deduction * sums.holesIn[0];
    return sums;
}

}  // namespace tovi
