// One command picture below the member list or in the manual-grouping panel:
// its picture, the face drawn on it, the latch that says it is on, the
// command code it sets, and the prompt it shows while on (if it has one).
#pragma once

#include <cstdint>

#include "core/drawing_surface.h"
#include "model/tournament_state.h"

namespace tovi {

class PictureWidget;

class CommandPicture {
public:
    struct Face {
        const char* caption;  // UTF-8
        int x, y;             // where the caption is written
        Rgb outline;
        const char* arrow = nullptr;  // red arrow of the grouping commands, UTF-8
        int arrowX = 0;
    };
    using Latch = std::int32_t TournamentState::*;

    CommandPicture(PictureWidget* picture, Face face, Latch latch, int code,
                   PictureWidget* prompt = nullptr)
        : picture_(picture), prompt_(prompt), face_(face), latch_(latch), code_(code) {}

    PictureWidget* Picture() const { return picture_; }
    int Code() const { return code_; }
    bool IsOn(const TournamentState& state) const { return state.*latch_ == 1; }

    // The face: white while off, yellow while on, with its caption.
    void DrawFace(bool on) const;
    // Yellow face, prompt shown, the pending command is this one, latch 1.
    void SwitchOn(TournamentState& state) const;
    // Prompt hidden, latch 0; the face is left as it is.
    void Release(TournamentState& state) const;

private:
    PictureWidget* picture_;
    PictureWidget* prompt_;
    Face face_;
    Latch latch_;
    int code_;
};

}  // namespace tovi
