// Where the groups of a meeting start.  Every group starts at once, each at
// a hole of the course; its score sheet numbers its columns from that hole
// on, going round to 1 after the last hole.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "model/tournament_state.h"

namespace tovi {

// The start hole of each group as its score sheet prints it.
struct StartHoles {
    // 組ごと: each group at a start hole of its own; otherwise every group at
    // the start hole of the one start-hole box.
    bool perGroup = false;
    // [g - 1] for group g: the hole its sheet's first column shows, nothing
    // where its sheet shows no hole numbers or the group has no sheet.
    std::array<std::optional<int>, MaxGroups> groups{};
    friend bool operator==(const StartHoles&, const StartHoles&) = default;
};

// The hole numbers over the first holeCount columns of a sheet: startHole,
// then one more each column, and 1 after a number that is not below
// holeCount (so a start hole beyond the course goes round at once).
std::vector<int> SheetHoleNumbers(int startHole, int holeCount);

// The number the sheet of a group prints over column `column` (from 0) of a
// course of holeCount holes; column + 1 where it prints none.
int PrintedHoleNumber(const StartHoles& starts, int group, int column, int holeCount);

// The start holes spread evenly over a course of holeCount holes: the g-th
// (from 1) of the G groups that have members starts at
// 1 + floor((g - 1) x holeCount / G).  Groups without members get 1.
std::array<int, MaxGroups> SpreadStartHoles(const TournamentState& state, int holeCount);

}  // namespace tovi
