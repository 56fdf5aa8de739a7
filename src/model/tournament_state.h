// The meeting's record, which the core's routines work on: the roster, the
// per-member flags, the tallies, the groups and the roster file's name.  What
// the window is in the middle of (mode, pending command, picked member) is
// kept apart, with the member list (ui/main/list_interaction.h).
//
// Every text is a std::string of CP932 (Shift-JIS) bytes, exactly as the roster
// file stores it; every length limit counts those bytes.  The only exception is
// currentFileName, the path of the roster file as the file system names it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tovi {

// Fields are written camelCase, as in every record of the program;
// docs/names.md gives each the name the layout knows it by (RosterList ...).
// Constants are written kName.  The capacities and list measures that the
// layout routines are known by (MemberCapacity, GridLineCount, RowHeight,
// ListWidth, MaxEntrants, MaxGroups, MaxGroupSize, GroupRowPitch, ColumnX,
// TextColumnX) keep those names.
//
// Capacities and layout constants of the member list.
inline constexpr int MemberCapacity = 40;  // roster lines; rows of the list picture
inline constexpr int GridLineCount = 41;   // horizontal rules of the list
inline constexpr int RowHeight = 30;       // pixel pitch of a member row
inline constexpr int ListWidth = 480;      // width of the list drawing
inline constexpr int MaxEntrants = 36;     // most players of one meeting
inline constexpr int MaxGroups = 6;
inline constexpr int MaxGroupSize = 6;

// Room of each flag array (entryFlag, leaderFlag, placedFlag), by member
// position.  Only positions below MemberCapacity ever hold a member, but
// the tallies read slots up to kTalliedSlots and a grouping run clears
// slots up to kPlacedSlotsCleared, so the room must reach past both.
// Positions read back from decimal text (the pick, the entries of the group
// lists) are checked against it before a mark is set or cleared
// (IsFlagSlot in grouping/); the list's marks (MemberList::RedrawMarks), the grouping pools
// and the recovery record stop at it as well as at the roster's end.
inline constexpr int kFlagSlots = 280;
// ComputeTallies (model/roster_table.cpp) scans flag slots 0..44 for the
// player, gender and placed lists, five slots past the last member
// position: a mark there would be listed as member 41..45.  Needs that many
// slots of kFlagSlots.
inline constexpr int kTalliedSlots = 45;
// ComputeTallies counts leader marks in slots 0..39 only, the member
// positions; that count is the group count it proposes.
inline constexpr int kLeaderSlots = 40;
// Room of rosterTable, rows by member position.  Rows past the roster keep
// the name they last had (a refresh resets only columns 1..8 of the first
// kBlankedTableRows rows), and positions read from text index it: a group
// box shows the name of row p for any 0 <= p < kTableRows (GroupBoxes::WriteNames) and the
// score sheet the name and team of any row within it; the list (MemberList::ShowRowsAndTallies)
// stops at it, and the tallies read the gender of rows 0..44 while they lie
// within it.  It holds the kBlankedTableRows rows a refresh blanks.
inline constexpr int kTableRows = 280;
// Cells of a rosterTable row: fields 1..7 of a member line fill columns
// 0..6 (ParseRoster); columns 7 and 8 are only ever blanked.
inline constexpr int kTableColumns = 9;
// Rows 0..40 of rosterTable, one past the last member, get columns 1..8
// blanked (BlankRosterTable) by every full redraw of the list, before the
// roster is parsed into them.
inline constexpr int kBlankedTableRows = 41;
inline constexpr int GroupRowPitch = 18;  // pixel pitch of the names in a group box
// A run of the automatic grouping that is not refused clears the placed
// marks of slots 0..68 before it deals (ResetGroups; needs that many slots
// of kFlagSlots), and the start button (GroupingPanel::StartAutomaticGrouping) then writes a white
// ⇒ over the placed-mark column of rows 0..68, which erases the marks of the list's 40 rows;
// rows 40..68 lie below the list picture and are written there all the same, clipped away.
inline constexpr int kPlacedSlotsCleared = 69;

// Column boundaries of the member list: running sums of 35,140,160,45,122,40,100,45.
inline constexpr std::array<int, 9> ColumnX = {0, 35, 175, 335, 380, 502, 542, 642, 687};
// Where the name, team and gender texts of a row are based (drawn 10 px to the right).
inline constexpr std::array<int, 3> TextColumnX = {35, 175, 335};

// The marks written beside a member row ("*" of a move source or of a row
// offered for deletion, 出場, ⇒ of a placed member, リーダ), and their
// colours; white writes over a mark and so erases it.
enum MarkCode : int { kMarkStar, kMarkEntry, kMarkPlaced, kMarkLeader };
enum MarkColour : int { kMarkWhite, kMarkBlack, kMarkRed };

using RosterRow = std::array<std::string, kTableColumns>;
using FlagArray = std::array<std::int32_t, kFlagSlots>;

struct TournamentState {
    // The roster: one member line per member, member number k is line k-1.
    std::vector<std::string> rosterList;
    // The parsed roster; row r is member position r.
    std::vector<RosterRow> rosterTable = std::vector<RosterRow>(kTableRows);

    // Per-member flags by 0-based position: 1 = set.
    FlagArray entryFlag{};
    FlagArray leaderFlag{};
    FlagArray placedFlag{};

    // Tallies, rebuilt from the flags on every refresh.  Lists hold 1-based
    // member numbers in increasing order; each count is its list's length.
    std::vector<int> entryList;
    std::int32_t entryCount = 0;
    std::vector<int> maleList;
    std::int32_t maleCount = 0;
    std::vector<int> femaleList;
    std::int32_t femaleCount = 0;
    std::vector<int> placedList;
    std::int32_t placedCount = 0;
    std::int32_t leaderCount = 0;

    // groupList[1..6]: member positions as decimal text; index 0 is unused.
    std::array<std::vector<std::string>, MaxGroups + 1> groupList;
    std::filesystem::path currentFileName;
};

}  // namespace tovi
