#include "results/seating.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/card_builder.h"

namespace tovi {
namespace {

// Members A..E with lines "A".."E"; a seat or group written as "A1" is
// member A in group 1.
MemberKey Key(char name) { return {std::string(1, name), 1}; }

std::vector<Player> InGroups(const std::vector<std::string>& placed) {
    std::vector<Player> players;
    for (const std::string& p : placed) players.push_back(PlayerOf(Key(p[0]), p[1] - '0'));
    return players;
}

std::vector<std::string> Written(const std::vector<Player>& players) {
    std::vector<std::string> out;
    for (const Player& p : players) out.push_back(p.name + std::to_string(p.group));
    return out;
}

TEST(SeatingTest, PlayersWithStrokesKeepTheirSeatsWhateverTheGroupsBecome) {
    const std::vector<std::string> roster = {"A", "B", "C", "D", "E"};
    struct Case {
        const char* what;
        std::vector<std::string> seats;       // last shown
        std::string withStrokes;              // members with a card
        std::vector<std::string> mainWindow;  // the groups now
        std::vector<std::string> grouped;     // seated, in order
        std::vector<std::string> apart;       // 組なし
    };
    const Case cases[] = {
        {"no scores: the main window's groups",
         {"A1", "B1"},
         "",
         {"B1", "C2", "A2"},
         {"B1", "C2", "A2"},
         {}},
        {"the groups emptied after the scores", {"A1", "B1", "C2"}, "AC", {}, {"A1", "C2"}, {}},
        {"regrouped: the scored stay, the others follow",
         {"A1", "B1", "C2"},
         "AC",
         {"B1", "A2", "D1", "C3"},
         {"A1", "B1", "D1", "C2"},
         {}},
        {"a member without strokes who left the group goes",
         {"A1", "B1", "C1"},
         "AC",
         {"A1", "C1"},
         {"A1", "C1"},
         {}},
        {"the order shown is kept",
         {"A1", "C1", "B1"},
         "AB",
         {"A1", "B1", "C1"},
         {"A1", "C1", "B1"},
         {}},
        {"moved away while scored without a seat", {}, "AE", {"A2"}, {"A2"}, {"E0"}},
        {"a seat past the groups is no seat", {"A7"}, "A", {}, {}, {"A0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Results results;
        for (const std::string& s : c.seats) results.seats.push_back({Key(s[0]), s[1] - '0'});
        for (const char name : c.withStrokes) results.cards[Key(name)] = CardOf({{3}});
        const Seating seating = SeatPlayers(InGroups(c.mainWindow), roster, results);
        EXPECT_EQ(Written(seating.grouped), c.grouped);
        EXPECT_EQ(Written(seating.apart), c.apart);
        ASSERT_EQ(seating.seats.size(), seating.grouped.size());
        for (std::size_t i = 0; i < seating.seats.size(); ++i) {
            EXPECT_EQ(seating.seats[i].key, seating.grouped[i].key);
            EXPECT_EQ(seating.seats[i].group, seating.grouped[i].group);
        }
    }
}

}  // namespace
}  // namespace tovi
