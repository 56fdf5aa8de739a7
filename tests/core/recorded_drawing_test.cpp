#include "core/recorded_drawing.h"

#include <gtest/gtest.h>

#include <string>

#include "core/cp932.h"
#include "scoresheet/score_sheet.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using test::RecordingSurface;

// Draws a sheet, then a few calls the sheet never makes, on any surface.
void DrawSample(DrawingSurface& surface, const TournamentState& state,
                const ScoreSheetSettings& settings, SheetScale scale) {
    DrawScoreSheet(surface, state, settings, scale);
    surface.SetFontSize(10);
    surface.SetBrushColor(kYellow);
    surface.SetFontColor(kRed);
    surface.TextOut(3, 4, Utf8ToCp932("余白"));
}

TEST(RecordedDrawing, ReplayDrawsExactlyWhatWasRecorded) {
    TournamentState state;
    state.rosterTable[0][0] = Utf8ToCp932("一郎");
    state.rosterTable[0][1] = Utf8ToCp932("東町");
    state.rosterTable[1][0] = Utf8ToCp932("花子");
    state.groupList[2] = {"1", "0"};
    const struct {
        SheetScale scale;
        const char* holes;
        bool hide;
    } cases[] = {
        {{kPreviewScaleX, kPreviewScaleY}, "10", false},
        {PrintScale(600, 600), "8", false},
        {PrintScale(300, 600), "15", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holes);
        ScoreSheetSettings settings = DefaultScoreSheetSettings();
        settings.groupNumber = "2";
        settings.holeCount = c.holes;
        settings.hideHoleNumbers = c.hide;

        RecordingSurface direct;
        DrawSample(direct, state, settings, c.scale);
        RecordedDrawing recorded;
        DrawSample(recorded, state, settings, c.scale);
        RecordingSurface replayed;
        recorded.ReplayOn(replayed);

        ASSERT_FALSE(direct.CallLog().empty());
        EXPECT_EQ(replayed.CallLog(), direct.CallLog());
        EXPECT_NE(replayed.FindText("花子"), nullptr);
        // A second replay draws the same again: the record is not used up.
        RecordingSurface again;
        recorded.ReplayOn(again);
        EXPECT_EQ(again.CallLog(), direct.CallLog());
    }
}

}  // namespace
}  // namespace tovi
