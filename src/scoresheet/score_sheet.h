// The score sheet of one group, drawn at any scale on a drawing surface.
#pragma once

#include <string>

#include "core/drawing_surface.h"
#include "model/tournament_state.h"

namespace tovi {

// The texts of the settings boxes, CP932.
struct ScoreSheetSettings {
    std::string Title;             // Edit15
    std::string MeetingName;       // Edit7
    std::string Course;            // Edit8
    std::string HoleCount;         // Edit9; Draw may rewrite it to "12"
    std::string GroupNumber;       // Edit13
    std::string StartHole;         // Edit14
    std::string Year;              // Edit10
    std::string Month;             // Edit11
    std::string Day;               // Edit12
    bool HideHoleNumbers = false;  // CheckBox2
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

// Draws the sheet of the group named by settings.GroupNumber with
// state.ScaleX / state.ScaleY.  Copies the group into state.DrawPool.
// A hole count above 11 rewrites settings.HoleCount to "12".
// A failed conversion throws ConversionError; what was drawn stays.
// Returns the page size it filled, SheetPageSize(state.ScaleX, state.ScaleY).
PageSize Draw(DrawingSurface& surface, TournamentState& state, ScoreSheetSettings& settings);

}  // namespace tovi
