#include "results/score_book.h"

#include <algorithm>
#include <iterator>
#include <map>
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

bool ScoreBook::SetPrizes(const PrizeSettings& prizes) {
    if (!IsValidPrizeSettings(prizes)) return false;
    results_.prizes = prizes;
    return true;
}

void ScoreBook::Clear() {
    results_.cards.clear();
    results_.decisions.clear();
}

void ScoreBook::Restore(Results results) { results_ = WithoutEmptyCards(std::move(results)); }

void ScoreBook::Loaded(Results results) {
    results_ = WithoutEmptyCards(std::move(results));
    saved_ = results_;
}

void ScoreBook::MarkSaved() { saved_ = results_; }

std::vector<int> PositionsAfter(const TournamentState& state,
                                const std::function<bool(TournamentState&)>& edit) {
    TournamentState tagged = state;
    const int members = static_cast<int>(state.rosterList.size());
    for (int i = 0; i < members; ++i)
        tagged.rosterList[static_cast<std::size_t>(i)] = std::to_string(i);
    std::vector<int> positions(state.rosterList.size(), -1);
    if (!edit(tagged)) {
        for (int i = 0; i < members; ++i) positions[static_cast<std::size_t>(i)] = i;
        return positions;
    }
    for (std::size_t now = 0; now < tagged.rosterList.size(); ++now) {
        const std::string& tag = tagged.rosterList[now];
        const int was = tag.empty() || tag.size() > 2 ? -1 : std::stoi(tag);
        if (was >= 0 && was < members)
            positions[static_cast<std::size_t>(was)] = static_cast<int>(now);
    }
    return positions;
}

namespace {

// The cards of `cards` moved to the keys of `after`.
std::map<MemberKey, ScoreCard> Follow(std::map<MemberKey, ScoreCard> cards,
                                      const std::vector<MemberKey>& before,
                                      const std::vector<int>& newPositions,
                                      const std::vector<MemberKey>& after) {
    std::map<std::string, int> taken;  // occurrences of each line in after
    for (const MemberKey& key : after) taken[key.line] = std::max(taken[key.line], key.occurrence);
    std::map<MemberKey, ScoreCard> moved;
    std::vector<std::pair<MemberKey, ScoreCard>> removed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        auto card = cards.extract(before[i]);
        if (card.empty()) continue;
        const int now = i < newPositions.size() ? newPositions[i] : -1;
        if (now >= 0 && static_cast<std::size_t>(now) < after.size())
            moved.emplace(after[static_cast<std::size_t>(now)], card.mapped());
        else
            removed.emplace_back(card.key(), card.mapped());
    }
    // Cards of members already gone keep their keys where no member takes them.
    for (auto& [key, card] : cards) {
        if (moved.contains(key) || key.occurrence <= taken[key.line])
            removed.emplace_back(key, card);
        else
            moved.emplace(key, card);
    }
    for (auto& [key, card] : removed) {
        MemberKey apart{key.line, ++taken[key.line]};
        while (moved.contains(apart)) apart.occurrence = ++taken[key.line];
        moved.emplace(std::move(apart), card);
    }
    return moved;
}

}  // namespace

void ScoreBook::FollowRoster(const std::vector<std::string>& before,
                             const std::vector<int>& newPositions,
                             const std::vector<std::string>& after) {
    const std::vector<MemberKey> was = MemberKeys(before), now = MemberKeys(after);
    results_.cards = Follow(std::move(results_.cards), was, newPositions, now);
    saved_.cards = Follow(std::move(saved_.cards), was, newPositions, now);
}

bool ScoreBook::Unsaved() const { return HasStrokes(results_) && results_ != saved_; }

}  // namespace tovi
