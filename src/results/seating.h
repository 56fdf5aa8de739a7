// Where the results window seats the players: in the group the main window
// gives them, except that a player with strokes stays in the group where the
// results window last showed them.  So switching modes, returning members or
// regrouping after the scores are in never takes a player out of the ranking
// or moves their scores to another group.
#pragma once

#include <string>
#include <vector>

#include "results/ranking.h"
#include "results/score_card.h"

namespace tovi {

struct Seating {
    // The players of groups 1..6, in group order and within a group in the
    // order shown.
    std::vector<Player> grouped;
    // 組なし: members with strokes who sit in no group, group 0, as
    // PlayersInNoGroup orders them.
    std::vector<Player> apart;
    // The seats of the grouped players, to be kept as results.seats.
    std::vector<Seat> seats;
};

// Seats the players.  inGroups: the main window's players in groups (as
// PlayersInGroupOrder gives them).  A member with strokes and a seat in
// results.seats keeps that seat and leaves any other group; within a group
// that holds such a member, the order of the seats is kept and the main
// window's newcomers follow it.  A group without one follows the main window.
Seating SeatPlayers(const std::vector<Player>& inGroups,
                    const std::vector<std::string>& rosterLines, const Results& results);

}  // namespace tovi
