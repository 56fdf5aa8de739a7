// The score sheet of one group, drawn at any scale on a drawing surface.
#pragma once

#include <string>

#include "model/tournament_state.h"
#include "platform/drawing_surface.h"

namespace tovi {

// The texts of the settings boxes, CP932.
struct ScoreSheetSettings {
    std::string Title;        // Edit15
    std::string MeetingName;  // Edit7
    std::string Course;       // Edit8
    std::string HoleCount;    // Edit9; Draw may rewrite it to "12"
    std::string GroupNumber;  // Edit13
    std::string StartHole;    // Edit14
    std::string Year;         // Edit10
    std::string Month;        // Edit11
    std::string Day;          // Edit12
    bool HideHoleNumbers = false;  // CheckBox2
};

// The defaults every start begins with.
ScoreSheetSettings DefaultScoreSheetSettings();

struct PageSize {
    int width = 0;
    int height = 0;
};

// Page size in device units for the given scale: trunc(1215 x sx), trunc(715 x sy).
PageSize SheetPageSize(double scaleX, double scaleY);

// Draws the sheet of the group named by settings.GroupNumber with
// state.ScaleX / state.ScaleY.  Copies the group into state.DrawPool.
// A failed conversion throws ConversionError; what was drawn stays.
void Draw(DrawingSurface& surface, TournamentState& state, ScoreSheetSettings& settings);

}  // namespace tovi
