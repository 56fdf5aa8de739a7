// One command picture below the member list or in the manual-grouping panel:
// its picture, the face drawn on it, the latch that says it is on, the
// command code it sets, and the prompt it shows while on (if it has one).
#pragma once

#include "core/drawing_surface.h"
#include "ui/main/list_interaction.h"

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
    using Latch = bool ListInteraction::*;

    CommandPicture(PictureWidget* picture, Face face, Latch latch, ListCommand code,
                   PictureWidget* prompt = nullptr)
        : picture_(picture), prompt_(prompt), face_(face), latch_(latch), code_(code) {}

    PictureWidget* Picture() const { return picture_; }
    ListCommand Code() const { return code_; }
    bool IsOn(const ListInteraction& interaction) const { return interaction.*latch_; }

    // The face: white while off, yellow while on, with its caption.
    void DrawFace(bool on) const;
    // Yellow face, prompt shown, the pending command is this one, latch on.
    void SwitchOn(ListInteraction& interaction) const;
    // Prompt hidden, latch off; the face is left as it is.
    void Release(ListInteraction& interaction) const;

private:
    PictureWidget* picture_;
    PictureWidget* prompt_;
    Face face_;
    Latch latch_;
    ListCommand code_;
};

}  // namespace tovi
