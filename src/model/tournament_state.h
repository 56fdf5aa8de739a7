// The one record the main window works on: roster, per-member flags, tallies,
// groups, work mode, the pending list command and the score-sheet scale.
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
inline constexpr int kFlagSlots = 280;    // room of each flag array
inline constexpr int kTalliedSlots = 45;  // slots 0..44 are scanned by the tallies
inline constexpr int kLeaderSlots = 40;   // slots 0..39 are counted as leaders
inline constexpr int kTableRows = 280;    // room of rosterTable
inline constexpr int kTableColumns = 9;
inline constexpr int kBlankedTableRows = 41;    // rows 0..40 are blanked by a full redraw
inline constexpr int GroupRowPitch = 18;        // pixel pitch of the names in a group box
inline constexpr int kPlacedSlotsCleared = 69;  // placed slots 0..68 cleared by a grouping run

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
    // Scratch list of the grouping run and the score sheet.
    std::vector<std::string> drawPool;

    // Device units per design unit of the score sheet.
    double scaleX = 0.0;
    double scaleY = 0.0;

    std::int32_t screenMode = 0;
    std::filesystem::path currentFileName;

    // Text height of one line of a group box; set by every full redraw.
    std::int32_t groupTextHeight = 0;

    // Pending member-list command and the six command latches.
    std::int32_t commandState = kCommandNone;
    std::int32_t moveButtonOn = 0;
    std::int32_t deleteButtonOn = 0;
    std::int32_t entryButtonOn = 0;
    std::int32_t leaderButtonOn = 0;
    std::int32_t pasteButtonOn = 0;
    std::int32_t returnButtonOn = 0;
    std::int32_t selectedRow = 0;
    std::int32_t targetRow = 0;
    std::int32_t sourceMarkY = 0;
    std::string movedLine;

    // Member picked for pasting, as decimal text; empty means none.
    std::string pickedMember;
    // Row of the last press inside a group box in return mode.
    std::int32_t groupRow = 0;
};

}  // namespace tovi
