// Where score entry moves after a score has been entered.
#pragma once

#include <vector>

namespace tovi {

// A cell of score entry, every part counted from 0: the group page, the
// player within the page, the round and the hole.
struct EntryPosition {
    int group = 0;
    int player = 0;
    int round = 0;
    int hole = 0;
    friend bool operator==(const EntryPosition&, const EntryPosition&) = default;
};

// The cell after `at`, where groupSizes[g] is the number of players of page g.
// The next hole of the round; after the round's last hole the first hole of
// the player's next round; after the last round the first hole of round 1 of
// the next player, who after a page's last player is the first player of the
// next page that has any.  The last cell of all, and a cell outside the pages,
// rounds or holes, give back `at`.
EntryPosition NextEntryPosition(const std::vector<int>& groupSizes, int rounds, int holes,
                                const EntryPosition& at);

}  // namespace tovi
