// The scores of the meeting as the program works on them: the results, and
// whether they hold strokes that the results file last saved or loaded does
// not.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/tournament_state.h"
#include "results/score_card.h"

namespace tovi {

// The hole count of the score sheet as the sheet counts its holes: 1..10 as
// typed, 11 stays 11, 12 and more count 12.  A text that is not a whole
// number from 1 up throws ConversionError with the text.
int SheetHoles(const std::string& holeCountText);

// True when any card holds strokes.
bool HasStrokes(const Results& results);

// Where each member of state's roster stands after edit, a change of the
// roster that moves or removes lines by their positions alone (not by what
// they hold): -1 for a member removed.  state itself is not changed; the
// edit runs on a copy whose lines are the positions.
std::vector<int> PositionsAfter(const TournamentState& state,
                                const std::function<bool(TournamentState&)>& edit);

class ScoreBook {
public:
    const Results& Get() const { return results_; }

    // Enters 1..99 strokes at a member's cell, or empties it with nothing.
    // False, and nothing changes, for a cell outside the card or strokes out
    // of range.  A card left without strokes is dropped.
    bool Enter(const MemberKey& member, int round, int hole, std::optional<int> strokes);
    // Enters a カード計 of 1..999 for a member's round, or empties it; false,
    // and nothing changes, for a round outside the card or a total out of range.
    bool EnterCardTotal(const MemberKey& member, int round, std::optional<int> total);
    // カード計で検算 on or off.
    void SetCheckCardTotals(bool check) { results_.checkCardTotals = check; }
    // 同成績は年長者を上位 on or off.
    void SetOlderFirst(bool older) { results_.olderFirst = older; }
    // False, and nothing changes, for settings out of range.
    bool SetSettings(const ResultSettings& settings);
    bool SetPrizes(const PrizeSettings& prizes);
    // Where the results window shows the players now.
    void SetSeats(std::vector<Seat> seats) { results_.seats = std::move(seats); }
    // The ties the organiser decided.
    void SetDecisions(std::vector<std::vector<MemberKey>> decisions) {
        results_.decisions = std::move(decisions);
    }
    // Every card gone, and with them the decisions; the settings and the
    // seats stay.
    void Clear();
    // Results that no file holds (brought back after a crash).
    void Restore(Results results);
    // Results read from a results file, which so holds them.
    void Loaded(Results results);
    // The results have just been written to a results file.
    void MarkSaved();
    // The roster changed from before to after, newPositions as PositionsAfter
    // gives them: every card, seat and place in a decided tie goes along with
    // its member, so that of two members with the same line each keeps its
    // own.  Those of a member removed keep the line with an occurrence past
    // every member of after, so that they go to nobody else.  What was last
    // saved or loaded follows the same way.
    void FollowRoster(const std::vector<std::string>& before, const std::vector<int>& newPositions,
                      const std::vector<std::string>& after);

    // The member at row was corrected: its line in before became its line in
    // after, every other line and position staying.  Its card, seat and
    // place in a decided tie go along; a card that moves so makes the
    // results unsaved, for a file saved before names the member by the old
    // line.
    void FollowCorrection(const std::vector<std::string>& before, int row,
                          const std::vector<std::string>& after);

    // True when there are strokes, and what a results file keeps of them
    // (the cards, the settings, and the seats and decided ties of members
    // with strokes) differs from what was last saved or loaded, or a member
    // with a card was corrected since.  Results without any strokes lose
    // nothing.
    bool Unsaved() const;

private:
    // Changes a member's card; one left empty is dropped.  What change returns.
    bool ChangeCard(const MemberKey& member, const std::function<bool(ScoreCard&)>& change);

    Results results_;
    Results saved_;
    // A member with a card was corrected since the last save or load.
    bool corrected_ = false;
};

}  // namespace tovi
