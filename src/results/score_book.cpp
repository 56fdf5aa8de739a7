#include "results/score_book.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>

#include "model/int_conversion.h"

namespace tovi {
namespace {

// The cards that hold strokes; a card emptied cell by cell is the same as none.
Results WithoutEmptyCards(Results results) {
    std::erase_if(results.cards, [](const auto& entry) { return entry.second.IsEmpty(); });
    return results;
}

// What a results file keeps of the results: the seats and the decided ties
// of members with strokes only.
Results AsFileKeepsThem(Results results) {
    const auto kept = [&results](const MemberKey& key) { return results.cards.contains(key); };
    std::erase_if(results.seats, [&](const Seat& seat) { return !kept(seat.key); });
    for (auto& decision : results.decisions)
        std::erase_if(decision, [&](const MemberKey& key) { return !kept(key); });
    std::erase_if(results.decisions, [](const auto& decision) { return decision.size() < 2; });
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

bool ScoreBook::ChangeCard(const MemberKey& member, const std::function<bool(ScoreCard&)>& change) {
    ScoreCard card;
    if (const auto found = results_.cards.find(member); found != results_.cards.end())
        card = found->second;
    if (!change(card)) return false;
    if (card.IsEmpty())
        results_.cards.erase(member);
    else
        results_.cards[member] = card;
    return true;
}

bool ScoreBook::Enter(const MemberKey& member, int round, int hole, std::optional<int> strokes) {
    return ChangeCard(member, [&](ScoreCard& card) { return card.Set(round, hole, strokes); });
}

bool ScoreBook::EnterCardTotal(const MemberKey& member, int round, std::optional<int> total) {
    return ChangeCard(member, [&](ScoreCard& card) { return card.SetCardTotal(round, total); });
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
    corrected_ = false;
}

void ScoreBook::MarkSaved() {
    saved_ = results_;
    corrected_ = false;
}

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

using KeyMoves = std::map<MemberKey, MemberKey>;

// Every member key the results name: of a card, a seat or a decided tie.
void CollectKeys(const Results& results, std::set<MemberKey>& keys) {
    for (const auto& entry : results.cards) keys.insert(entry.first);
    for (const Seat& seat : results.seats) keys.insert(seat.key);
    for (const auto& decision : results.decisions) keys.insert(decision.begin(), decision.end());
}

// Where each of `keys` goes when the roster changes from before to after: a
// member's key to its key in after; a removed member's key, or a key of a
// member gone earlier that a member of after now has, to an occurrence past
// every member of after.  Other keys of members gone earlier stay.  No two
// keys go to the same.
KeyMoves MoveKeys(const std::set<MemberKey>& keys, const std::vector<MemberKey>& before,
                  const std::vector<int>& newPositions, const std::vector<MemberKey>& after) {
    std::map<std::string, int> taken;  // occurrences of each line in after
    for (const MemberKey& key : after) taken[key.line] = std::max(taken[key.line], key.occurrence);
    KeyMoves moves;
    std::set<MemberKey> landed;  // the keys moved to so far
    std::set<MemberKey> inBefore(before.begin(), before.end());
    std::vector<MemberKey> apart;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (!keys.contains(before[i])) continue;
        const int now = i < newPositions.size() ? newPositions[i] : -1;
        if (now >= 0 && static_cast<std::size_t>(now) < after.size()) {
            moves.emplace(before[i], after[static_cast<std::size_t>(now)]);
            landed.insert(after[static_cast<std::size_t>(now)]);
        } else {
            apart.push_back(before[i]);
        }
    }
    for (const MemberKey& key : keys) {
        if (inBefore.contains(key)) continue;
        if (landed.contains(key) || key.occurrence <= taken[key.line]) {
            apart.push_back(key);
        } else {
            moves.emplace(key, key);
            landed.insert(key);
        }
    }
    for (const MemberKey& key : apart) {
        MemberKey to{key.line, ++taken[key.line]};
        while (landed.contains(to)) to.occurrence = ++taken[key.line];
        landed.insert(to);
        moves.emplace(key, std::move(to));
    }
    return moves;
}

// The results with every card, seat and tie member under its moved key.
void Move(Results& results, const KeyMoves& moves) {
    std::map<MemberKey, ScoreCard> cards;
    for (auto& [key, card] : results.cards) cards.emplace(moves.at(key), card);
    results.cards = std::move(cards);
    for (Seat& seat : results.seats) seat.key = moves.at(seat.key);
    for (auto& decision : results.decisions)
        for (MemberKey& key : decision) key = moves.at(key);
}

}  // namespace

void ScoreBook::FollowRoster(const std::vector<std::string>& before,
                             const std::vector<int>& newPositions,
                             const std::vector<std::string>& after) {
    // One move for both, so that what was saved moves exactly as the results.
    std::set<MemberKey> keys;
    CollectKeys(results_, keys);
    CollectKeys(saved_, keys);
    const KeyMoves moves = MoveKeys(keys, MemberKeys(before), newPositions, MemberKeys(after));
    Move(results_, moves);
    Move(saved_, moves);
}

void ScoreBook::FollowCorrection(const std::vector<std::string>& before, int row,
                                 const std::vector<std::string>& after) {
    std::vector<int> positions(before.size());
    std::iota(positions.begin(), positions.end(), 0);
    FollowRoster(before, positions, after);
    if (row < 0 || static_cast<std::size_t>(row) >= after.size() ||
        before[static_cast<std::size_t>(row)] == after[static_cast<std::size_t>(row)])
        return;
    const std::vector<MemberKey> keys = MemberKeys(after);
    if (results_.cards.contains(keys[static_cast<std::size_t>(row)])) corrected_ = true;
}

bool ScoreBook::Unsaved() const {
    return HasStrokes(results_) && (corrected_ || AsFileKeepsThem(WithoutEmptyCards(results_)) !=
                                                      AsFileKeepsThem(WithoutEmptyCards(saved_)));
}

}  // namespace tovi
