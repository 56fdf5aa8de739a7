// Where score entry moves after a score has been entered.
#pragma once

#include <functional>
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

// The path of score entry over the pages of the results window, as the
// cursor of entry follows it: groupSizes[g] players on page g, each with
// `rounds` rounds of `holes` holes.
class EntryPath {
public:
    EntryPath(std::vector<int> groupSizes, int rounds, int holes);

    // Whether at is a cell of the path.
    bool Contains(const EntryPosition& at) const;
    // The cell after at, as NextEntryPosition.
    EntryPosition Next(const EntryPosition& at) const;
    // The first cell along the path that filled says has no strokes yet, so
    // that entry starts where a digit overwrites nothing; the first cell of
    // the first page with players when every cell has strokes, and
    // {0, 0, 0, 0} for a path without cells.
    EntryPosition FirstOpen(const std::function<bool(const EntryPosition&)>& filled) const;

private:
    std::vector<int> groupSizes_;
    int rounds_;
    int holes_;
};

}  // namespace tovi
