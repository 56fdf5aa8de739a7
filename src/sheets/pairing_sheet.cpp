#include "sheets/pairing_sheet.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "sheets/ranking_sheet.h"
#include "sheets/table_sheet.h"

namespace tovi {
namespace {

// Places in design units.
constexpr int kLeft = 10;
constexpr int kTitleHeight = 32;
constexpr int kMeetingLineTop = 46;
constexpr int kGroupsTop = 80;
constexpr int kGroupsBottom = 1036;
constexpr int kColumnLefts[] = {kLeft, 370};
constexpr int kBlockWidth = 340;
constexpr int kBlockGap = 20;
// A block: the group and its start hole, then a row a player.
constexpr int kBlockHeadingHeight = 40;
constexpr int kPlayerRowHeight = 44;
constexpr int kGroupTextHeight = 30;
constexpr int kStartTextHeight = 20;
constexpr int kStartTextLeft = 84;
constexpr int kOrderTextHeight = 20;
constexpr int kOrderRight = 30;   // the player's number ends here
constexpr int kOrderRule = 34;    // the rule between the number and the name
constexpr int kNameLeft = 38;     // name and team
constexpr int kNameHeight = 24;   // under the team
constexpr int kTeamHeight = 16;   // over the name
constexpr int kLeaderLeft = 272;  // リーダ, level with the name
constexpr int kLeaderHeight = 20;
constexpr int kPad = 8;

int BlockHeight(const PairingGroup& group) {
    return kBlockHeadingHeight + static_cast<int>(group.players.size()) * kPlayerRowHeight;
}

// The bytes of a text `height` units high that fit in `width` units.
std::size_t BytesWithin(int width, int height) {
    return static_cast<std::size_t>(std::max(0, width * 2 / height));
}

void DrawBlock(SheetPage& p, int left, int top, const PairingGroup& group) {
    const int right = left + kBlockWidth;
    const int bottom = top + BlockHeight(group);
    const int rowsTop = top + kBlockHeadingHeight;

    // The frame, the rule under the heading and under every row, and the
    // rule after the players' numbers.
    p.Line(left, top, right, top);
    p.Line(right, top, right, bottom);
    p.Line(right, bottom, left, bottom);
    p.Line(left, bottom, left, top);
    for (int y = rowsTop; y < bottom; y += kPlayerRowHeight) p.Line(left, y, right, y);
    p.Line(left + kOrderRule, rowsTop, left + kOrderRule, bottom);

    p.Height(kGroupTextHeight);
    p.Text(left + kPad, top + 5, std::to_string(group.number) + Utf8ToCp932("組"));
    if (group.startHole) {
        p.Height(kStartTextHeight);
        p.Text(left + kStartTextLeft, top + 13,
               std::to_string(*group.startHole) + Utf8ToCp932("番ホールスタート"));
    }

    const std::string leaderMark = Utf8ToCp932("リーダ");
    const std::size_t nameBytes = BytesWithin(kLeaderLeft - kPad - kNameLeft, kNameHeight);
    const std::size_t teamBytes = BytesWithin(kBlockWidth - kPad - kNameLeft, kTeamHeight);
    for (std::size_t i = 0; i < group.players.size(); ++i) {
        const PairingPlayer& player = group.players[i];
        const int y = rowsTop + static_cast<int>(i) * kPlayerRowHeight;
        p.Height(kOrderTextHeight);
        p.RightText(left + kOrderRight, y + 22, kOrderTextHeight, std::to_string(i + 1));
        if (!player.team.empty()) {
            p.Height(kTeamHeight);
            p.Text(left + kNameLeft, y + 2, CutText(player.team, teamBytes));
        }
        if (!player.name.empty()) {
            p.Height(kNameHeight);
            p.Text(left + kNameLeft, y + 18, CutText(player.name, nameBytes));
        }
        if (player.leader) {
            p.Height(kLeaderHeight);
            p.Text(left + kLeaderLeft, y + 22, leaderMark);
        }
    }
}

}  // namespace

PairingSheet MakePairingSheet(const TournamentState& state, PairingHeading heading,
                              const StartHoles& starts) {
    PairingSheet sheet{std::move(heading), {}};
    for (int g = 1; g <= MaxGroups; ++g) {
        const std::vector<std::string>& entries = state.groupList[static_cast<std::size_t>(g)];
        if (entries.empty()) continue;
        PairingGroup group{g, starts.groups[static_cast<std::size_t>(g - 1)], {}};
        bool led = false;
        for (const std::string& entry : entries) {
            PairingPlayer player;
            const std::optional<int> position =
                ParseDigitField(entry, 0, static_cast<int>(state.rosterTable.size()) - 1);
            if (position) {
                const auto p = static_cast<std::size_t>(*position);
                player.name = state.rosterTable[p][0];
                player.team = state.rosterTable[p][1];
                player.leader = !led && p < state.leaderFlag.size() && state.leaderFlag[p] == 1;
                led = led || player.leader;
            }
            group.players.push_back(std::move(player));
        }
        sheet.groups.push_back(std::move(group));
    }
    return sheet;
}

std::string FormatPairingCsv(const PairingSheet& sheet) {
    std::string csv = Utf8ToCp932("組,スタート,順,氏名,チーム,リーダ");
    csv += kCrLf;
    const std::string leaderMark = Utf8ToCp932("リーダ");
    for (const PairingGroup& group : sheet.groups) {
        for (std::size_t i = 0; i < group.players.size(); ++i) {
            const PairingPlayer& player = group.players[i];
            csv += std::to_string(group.number);
            csv += ',';
            if (group.startHole) csv += std::to_string(*group.startHole);
            csv += ',';
            csv += std::to_string(i + 1);
            csv += ',';
            AppendCommaTextField(csv, player.name);
            csv += ',';
            AppendCommaTextField(csv, player.team);
            csv += ',';
            if (player.leader) csv += leaderMark;
            csv += kCrLf;
        }
    }
    return csv;
}

PairingPrintedList::PairingPrintedList(PairingSheet sheet) : sheet_(std::move(sheet)) {
    // The blocks go down the left column, then the right, then onto the
    // next page; a block that does not fit under the one before starts the
    // next column (one too tall for any column stands alone at a top).
    Place at{0, 0, kGroupsTop};
    for (const PairingGroup& group : sheet_.groups) {
        if (at.top != kGroupsTop && at.top + BlockHeight(group) > kGroupsBottom) {
            at.top = kGroupsTop;
            if (++at.column == 2) {
                at.column = 0;
                ++at.page;
            }
        }
        places_.push_back(at);
        at.top += BlockHeight(group) + kBlockGap;
    }
}

std::string PairingPrintedList::Title() const { return "組み合わせ表"; }

int PairingPrintedList::Pages() const { return places_.empty() ? 1 : places_.back().page + 1; }

void PairingPrintedList::DrawPage(DrawingSurface& surface, double scale, int page) const {
    SheetPage p(surface, scale);
    p.Start();
    p.Height(kTitleHeight);
    p.Text(kLeft, 0, Utf8ToCp932("組み合わせ表"));
    const PairingHeading& h = sheet_.heading;
    p.MeetingName(kMeetingLineTop, h.meetingName);
    p.MeetingDate(kMeetingLineTop, h.year, h.month, h.day);
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const Place& at = places_[i];
        if (at.page != page) continue;
        DrawBlock(p, kColumnLefts[at.column], at.top, sheet_.groups[i]);
    }
}

std::string PairingPrintedList::Csv() const { return FormatPairingCsv(sheet_); }

}  // namespace tovi
