// What the main window is in the middle of, apart from the meeting itself:
// the work mode, the member list's pending command with the latches of the
// six command pictures, the rows a command has pressed, and the member
// picked for pasting.  The member list keeps it; the window and the
// grouping panel work on it through the list.
#pragma once

#include <string>

namespace tovi {

// Work modes of the window; None until the first screen is prepared.
enum class ScreenMode { None, Registration, Grouping, ScoreSheet };

// Pending command of the member list: what the next press on a row does.
// 修正 waits for the member to correct (CorrectPick), then, with a member
// picked, for 登　録 (CorrectEdit), where a press on another row picks that one.
enum class ListCommand {
    None,
    MoveSource,
    MoveTarget,
    Delete,
    Entry,
    Leader,
    PastePick,
    Return,
    CorrectPick,
    CorrectEdit,
};

struct ListInteraction {
    ScreenMode screenMode = ScreenMode::None;
    ListCommand commandState = ListCommand::None;
    // The latches of the command pictures: true while the command is on.
    bool moveButtonOn = false;
    bool deleteButtonOn = false;
    bool entryButtonOn = false;
    bool leaderButtonOn = false;
    bool pasteButtonOn = false;
    bool returnButtonOn = false;
    bool correctButtonOn = false;
    // The row pressed as a move's source, for deletion or for correcting, and
    // a move's target.
    int selectedRow = 0;
    int targetRow = 0;
    // Member picked for pasting, a position as decimal text; empty means none.
    std::string pickedMember;
};

}  // namespace tovi
