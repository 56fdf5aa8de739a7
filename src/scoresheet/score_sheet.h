// The score sheet of one group, drawn at any scale on a drawing surface.
#pragma once

#include <string>

#include "core/drawing_surface.h"
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

// Draws the sheet of the group named by settings.groupNumber at scale, with
// the hole count SheetHoleCount gives.  A failed conversion throws
// ConversionError; what was drawn stays.  Returns the page size it filled,
// SheetPageSize(scale.x, scale.y).
PageSize DrawScoreSheet(DrawingSurface& surface, const TournamentState& state,
                        const ScoreSheetSettings& settings, SheetScale scale);

}  // namespace tovi
