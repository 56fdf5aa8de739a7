// The one record the main window works on: roster, per-member flags, tallies,
// groups, work mode, the pending list command and the score-sheet scale.
//
// Every text is a std::string of CP932 (Shift-JIS) bytes, exactly as the roster
// file stores it; every length limit counts those bytes.  The only exception is
// CurrentFileName, the path of the roster file as the file system names it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tovi {

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

// Room of each flag array (EntryFlag, LeaderFlag, PlacedFlag), by member
// position.  Only positions below MemberCapacity ever hold a member, but
// the tallies read slots up to kTalliedSlots and a grouping run clears
// slots up to kPlacedSlotsCleared, so the room must reach past both.
// Positions read back from decimal text (the pick, the entries of the group
// lists) are checked against it before a mark is set or cleared
// (IsFlagSlot in grouping/); the list's marks (HalMark), the grouping pools
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
// Room of RosterTable, rows by member position.  Rows past the roster keep
// the name they last had (a refresh resets only columns 1..8 of the first
// kBlankedTableRows rows), and positions read from text index it: a group
// box shows the name of row p for any 0 <= p < kTableRows (DspKumi) and the
// score sheet the name and team of any row within it; the list (DspItiran)
// stops at it, and the tallies read the gender of rows 0..44 while they lie
// within it.  It holds the kBlankedTableRows rows a refresh blanks.
inline constexpr int kTableRows = 280;
// Cells of a RosterTable row: fields 1..7 of a member line fill columns
// 0..6 (ParseRoster); columns 7 and 8 are only ever blanked.
inline constexpr int kTableColumns = 9;
// Rows 0..40 of RosterTable, one past the last member, get columns 1..8
// blanked (BlankRosterTable) by every full redraw of the list, before the
// roster is parsed into them.
inline constexpr int kBlankedTableRows = 41;
inline constexpr int GroupRowPitch = 18;  // pixel pitch of the names in a group box
// A run of the automatic grouping that is not refused clears the placed
// marks of slots 0..68 before it deals (ResetGroups; needs that many slots
// of kFlagSlots), and the start button (Button1Click) then writes a white ⇒
// over the placed-mark column of rows 0..68, which erases the marks of the
// list's 40 rows; rows 40..68 lie below the list picture and are written
// there all the same, clipped away.
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

// Work modes of the window.
inline constexpr int kModeRegistration = 1;
inline constexpr int kModeGrouping = 2;
inline constexpr int kModeScoreSheet = 3;

// Pending command of the member list.
inline constexpr int kCommandNone = 0;
inline constexpr int kCommandMoveSource = 1;
inline constexpr int kCommandMoveTarget = 2;
inline constexpr int kCommandDelete = 3;
inline constexpr int kCommandEntry = 4;
inline constexpr int kCommandLeader = 5;
inline constexpr int kCommandPastePick = 6;
inline constexpr int kCommandReturn = 7;

using RosterRow = std::array<std::string, kTableColumns>;
using FlagArray = std::array<std::int32_t, kFlagSlots>;

struct TournamentState {
    // The roster: one member line per member, member number k is line k-1.
    std::vector<std::string> RosterList;
    // The parsed roster; row r is member position r.
    std::vector<RosterRow> RosterTable = std::vector<RosterRow>(kTableRows);

    // Per-member flags by 0-based position: 1 = set.
    FlagArray EntryFlag{};
    FlagArray LeaderFlag{};
    FlagArray PlacedFlag{};

    // Tallies, rebuilt from the flags on every refresh.  Lists hold 1-based
    // member numbers in increasing order; each count is its list's length.
    std::vector<int> EntryList;
    std::int32_t EntryCount = 0;
    std::vector<int> MaleList;
    std::int32_t MaleCount = 0;
    std::vector<int> FemaleList;
    std::int32_t FemaleCount = 0;
    std::vector<int> PlacedList;
    std::int32_t PlacedCount = 0;
    std::int32_t LeaderCount = 0;

    // GroupList[1..6]: member positions as decimal text; index 0 is unused.
    std::array<std::vector<std::string>, MaxGroups + 1> GroupList;
    // Scratch list of the grouping run and the score sheet.
    std::vector<std::string> DrawPool;

    // Device units per design unit of the score sheet.
    double ScaleX = 0.0;
    double ScaleY = 0.0;

    std::int32_t ScreenMode = 0;
    std::filesystem::path CurrentFileName;

    // Text height of one line of a group box; set by every full redraw.
    std::int32_t GroupTextHeight = 0;

    // Pending member-list command and the six command latches.
    std::int32_t CommandState = kCommandNone;
    std::int32_t MoveButtonOn = 0;
    std::int32_t DeleteButtonOn = 0;
    std::int32_t EntryButtonOn = 0;
    std::int32_t LeaderButtonOn = 0;
    std::int32_t PasteButtonOn = 0;
    std::int32_t ReturnButtonOn = 0;
    std::int32_t SelectedRow = 0;
    std::int32_t TargetRow = 0;
    std::int32_t SourceMarkY = 0;
    std::string MovedLine;

    // Member picked for pasting, as decimal text; empty means none.
    std::string PickedMember;
    // Row of the last press inside a group box in return mode.
    std::int32_t GroupRow = 0;
};

}  // namespace tovi
