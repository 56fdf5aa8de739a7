// 組み合わせ表: the groups as the organiser posts them on the notice board
// and reads them out before play.  Every group that has members, in group
// order, with its start hole where its score sheet prints one, and its
// players in group order with their teams, the group's leader marked リーダ.
//
// The page is A4 portrait in the design units of the other printed lists
// (1/100 inch, 720 x 1040): the title and the meeting's name and date on
// top, then the groups in two columns, each a framed block with the group
// and its start hole over one row a player.  Names are 24 units high (17 pt
// on paper), the groups 30; six groups of six fill one page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/drawing_surface.h"
#include "model/start_holes.h"
#include "model/tournament_state.h"
#include "sheets/printed_list.h"

namespace tovi {

// The texts on top of the list, CP932, as typed in the score-sheet settings.
struct PairingHeading {
    std::string meetingName;  // 大会名
    std::string year;         // 開催日
    std::string month;
    std::string day;
    friend bool operator==(const PairingHeading&, const PairingHeading&) = default;
};

struct PairingPlayer {
    std::string name;  // CP932
    std::string team;  // CP932
    bool leader = false;
    friend bool operator==(const PairingPlayer&, const PairingPlayer&) = default;
};

struct PairingGroup {
    int number = 0;                // 1..6
    std::optional<int> startHole;  // nothing where its sheet prints no hole numbers
    std::vector<PairingPlayer> players;
    friend bool operator==(const PairingGroup&, const PairingGroup&) = default;
};

struct PairingSheet {
    PairingHeading heading;
    std::vector<PairingGroup> groups;  // only groups that have members, in group order
};

// The groups of the meeting as they stand.  A player's name and team are
// columns 0 and 1 of its row of the roster table; an entry that names no row
// gives a player with neither.  A group's leader is its first member, in
// group order, who carries the leader mark: the automatic grouping puts that
// member at the head, and a second leader pasted in by hand leads nothing.
PairingSheet MakePairingSheet(const TournamentState& state, PairingHeading heading,
                              const StartHoles& starts);

// The list as CSV (CP932, CR LF): 組,スタート,順,氏名,チーム,リーダ, then one
// line a player in group order.
std::string FormatPairingCsv(const PairingSheet& sheet);

class PairingPrintedList final : public PrintedList {
public:
    explicit PairingPrintedList(PairingSheet sheet);
    std::string Title() const override;
    int Pages() const override;
    void DrawPage(DrawingSurface& surface, double scale, int page) const override;
    std::string Csv() const override;

private:
    // Where a group's block stands: page, column (0 or 1) and top.
    struct Place {
        int page = 0;
        int column = 0;
        int top = 0;
    };

    PairingSheet sheet_;
    std::vector<Place> places_;  // one a group
};

}  // namespace tovi
