// The score sheet of one group, drawn at any scale on a drawing surface.
#pragma once

#include <array>
#include <string>

#include "core/drawing_surface.h"
#include "model/start_holes.h"
#include "model/tournament_state.h"

namespace tovi {

// The texts of the settings boxes, CP932.
struct ScoreSheetSettings {
    std::string title;             // Edit15
    std::string meetingName;       // Edit7
    std::string course;            // Edit8
    std::string holeCount;         // Edit9; DrawScoreSheet may rewrite it to "12"
    std::string groupNumber;       // Edit13
    std::string startHole;         // Edit14
    std::string year;              // Edit10
    std::string month;             // Edit11
    std::string day;               // Edit12
    bool hideHoleNumbers = false;  // CheckBox2
    // 組ごと: each group's sheet starts at its own hole, groupStartHoles[g - 1]
    // for group g, and startHole serves only a group number outside 1..6.
    bool startPerGroup = false;
    std::array<int, MaxGroups> groupStartHoles{1, 1, 1, 1, 1, 1};
};

// The defaults every start begins with.
ScoreSheetSettings DefaultScoreSheetSettings();

struct PageSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PageSize&, const PageSize&) = default;
};

// Device units per design unit of the on-screen preview.
inline constexpr double kPreviewScaleX = 0.814;
inline constexpr double kPreviewScaleY = 0.92;

struct SheetScale {
    double x = 0.0;
    double y = 0.0;
};

// Device units per design unit on a printer of the given dots per inch:
// a design unit is 0.0091 inch wide and 0.0104 inch high.
SheetScale PrintScale(int dotsPerInchX, int dotsPerInchY);

// Page size in device units for the given scale: trunc(1215 x sx), trunc(715 x sy).
PageSize SheetPageSize(double scaleX, double scaleY);

// The hole count the sheet draws when holeCount is typed: "12" for a
// number above 11, otherwise holeCount as it is (also when it is no whole
// number: the drawing then stops on it).  The score-sheet panel puts it back
// into its box after every drawing, also one that stopped.
std::string SheetHoleCount(const std::string& holeCount);

// The hole count as the sheet numbers its columns: 1..10 as typed, 11, and
// 12 for 12 and more; 0 or less numbers none.  ConversionError when the
// text is no whole number.
int SheetNumberedHoles(const std::string& holeCount);

// The start hole text the sheet of group `group` prints: with 組ごと that
// group's own for a group 1..6, otherwise the start-hole box as typed.
std::string SheetStartHoleText(const ScoreSheetSettings& settings, int group);

// Each group's start hole as its sheet prints it: nothing for every group
// when hole numbers are hidden, or when the one start-hole box holds no
// whole number.
StartHoles SheetStartHoles(const ScoreSheetSettings& settings);

// Draws the sheet of the group named by settings.groupNumber at scale, with
// the hole count SheetHoleCount gives.  A failed conversion throws
// ConversionError; what was drawn stays.  Returns the page size it filled,
// SheetPageSize(scale.x, scale.y).
PageSize DrawScoreSheet(DrawingSurface& surface, const TournamentState& state,
                        const ScoreSheetSettings& settings, SheetScale scale);

}  // namespace tovi
