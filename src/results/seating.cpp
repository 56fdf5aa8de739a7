#include "results/seating.h"

#include <algorithm>
#include <map>
#include <set>

#include "model/tournament_state.h"

namespace tovi {

Seating SeatPlayers(const std::vector<Player>& inGroups,
                    const std::vector<std::string>& rosterLines, const Results& results) {
    const auto hasStrokes = [&results](const MemberKey& key) {
        const auto card = results.cards.find(key);
        return card != results.cards.end() && !card->second.IsEmpty();
    };
    // The members held to their seats: those with strokes, each at its
    // first seat.
    std::map<MemberKey, int> held;
    for (const Seat& seat : results.seats)
        if (seat.group >= 1 && seat.group <= MaxGroups && hasStrokes(seat.key))
            held.emplace(seat.key, seat.group);

    Seating seating;
    std::set<MemberKey> placed;
    const auto place = [&](Player player, int group) {
        if (!placed.insert(player.key).second) return;
        player.group = group;
        seating.seats.push_back({player.key, group});
        seating.grouped.push_back(std::move(player));
    };
    for (int group = 1; group <= MaxGroups; ++group) {
        // The main window's players of the group who are free to be here.
        std::vector<const Player*> newcomers;
        for (const Player& player : inGroups)
            if (player.group == group && !held.contains(player.key)) newcomers.push_back(&player);
        const bool holdsAny = std::any_of(held.begin(), held.end(),
                                          [group](const auto& h) { return h.second == group; });
        if (holdsAny) {
            // The order last shown: the held members, and those of the
            // others who are still here.
            for (const Seat& seat : results.seats) {
                if (seat.group != group) continue;
                if (const auto h = held.find(seat.key); h != held.end()) {
                    if (h->second == group) place(PlayerOf(seat.key, group), group);
                    continue;
                }
                const auto stays =
                    std::find_if(newcomers.begin(), newcomers.end(),
                                 [&](const Player* p) { return p->key == seat.key; });
                if (stays != newcomers.end()) place(**stays, group);
            }
        }
        for (const Player* player : newcomers) place(*player, group);
    }
    seating.apart = PlayersInNoGroup(seating.grouped, rosterLines, results);
    return seating;
}

}  // namespace tovi
