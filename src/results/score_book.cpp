#include "results/score_book.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/int_conversion.h"

namespace tovi {
namespace {

// The cards that hold strokes; a card emptied cell by cell is the same as none.
Results WithoutEmptyCards(Results results) {
    std::erase_if(results.cards, [](const auto& entry) { return entry.second.IsEmpty(); });
    return results;
}

}  // namespace

int SheetHoles(const std::string& holeCountText) {
    const int holes = StrToInt(holeCountText);
    if (holes < kMinHoles) throw ConversionError(holeCountText);
    return std::min(holes, kMaxHoles);
}

bool HasStrokes(const Results& results) {
    return std::any_of(results.cards.begin(), results.cards.end(),
                       [](const auto& entry) { return !entry.second.IsEmpty(); });
}

bool ScoreBook::Enter(const MemberKey& member, int round, int hole, std::optional<int> strokes) {
    ScoreCard card;
    if (const auto found = results_.cards.find(member); found != results_.cards.end())
        card = found->second;
    if (!card.Set(round, hole, strokes)) return false;
    if (card.IsEmpty())
        results_.cards.erase(member);
    else
        results_.cards[member] = card;
    return true;
}

bool ScoreBook::SetSettings(const ResultSettings& settings) {
    if (!IsValidSettings(settings)) return false;
    results_.settings = settings;
    return true;
}

void ScoreBook::Clear() { results_.cards.clear(); }

void ScoreBook::Restore(Results results) { results_ = WithoutEmptyCards(std::move(results)); }

void ScoreBook::Loaded(Results results) {
    results_ = WithoutEmptyCards(std::move(results));
    saved_ = results_;
}

void ScoreBook::MarkSaved() { saved_ = results_; }

bool ScoreBook::Unsaved() const { return HasStrokes(results_) && results_ != saved_; }

}  // namespace tovi
