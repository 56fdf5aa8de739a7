// The six group boxes (１　組 .. ６　組): a picture per group that lists the
// names of its members, with its caption above it.  Presses on a box go to
// grouping by hand, and only while the boxes take them.
#pragma once

#include <array>
#include <functional>

#include "model/tournament_state.h"

class QLabel;
class QWidget;

namespace tovi {

class PictureWidget;

inline constexpr int kGroupBoxWidth = 142;
inline constexpr int kGroupBoxHeight = 122;

class GroupBoxes {
public:
    // pressed gets the group (1..6) and the picture height of a press.
    GroupBoxes(QWidget& form, TournamentState& state,
               std::function<void(int group, int y)> pressed);

    // The white field and black border the boxes first show.
    void PaintFirstFaces();
    // Writes the names of every group's members.
    void WriteNames();
    // Blanks the name rows of one group (1..6), or of all and empties the
    // groups' lists with 0.
    void Clear(int group);
    void Show();
    void Hide();
    void AcceptPresses();
    void IgnorePresses();

private:
    TournamentState& state_;
    std::array<PictureWidget*, MaxGroups + 1> boxes_{};  // [1..6] = Image11..Image16
    std::array<QLabel*, MaxGroups + 1> captions_{};      // [1..6] = Label11..Label16
};

}  // namespace tovi
