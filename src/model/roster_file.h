// The roster file: CP932 text, the marker line "作成" and then one member line
// per member, every line ending in CR LF.
//
// A load reads into a separate list and hands it over only when every check
// has passed, so a failed load leaves the roster as it was.  A save replaces
// the file in one step (core/file_io.h), so a failed save leaves the old file
// intact.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/tournament_state.h"

namespace tovi {

inline constexpr std::size_t kMaxRosterFileBytes = 1024 * 1024;

// How a load or a save ended; the window words it for the organiser.
enum class RosterFileStatus {
    Ok,
    CannotRead,      // the file cannot be opened or read
    TooLarge,        // more than kMaxRosterFileBytes
    Empty,           // no lines at all
    NoMarker,        // line 1 does not begin with the marker
    TooManyMembers,  // more than MemberCapacity member lines
    CannotWrite,     // the file cannot be created, written or renamed
    BadFileName,     // the chosen name cannot be spelled as a path (found by the caller)
};

// Splits the bytes of a whole file into lines: a line ends at CR, LF or CR LF,
// a NUL byte ends the text, and a line end at the very end makes no extra line.
std::vector<std::string> SplitRosterLines(std::string_view bytes);

struct RosterParseResult {
    RosterFileStatus status = RosterFileStatus::Ok;
    std::vector<std::string> members;  // the member lines, marker removed
    std::size_t memberLines = 0;       // lines after the marker, also when refused
};

// Checks the bytes of a roster file and returns its member lines.
RosterParseResult ReadRosterBytes(std::string_view bytes);

// The bytes of a roster file holding these member lines.
std::string FormatRosterFile(const std::vector<std::string>& members);

// Reads the file at path; on success replaces state.rosterList and sets
// state.currentFileName.  On failure the state is left untouched; a file
// refused for holding too many members tells how many in *memberLines.
RosterFileStatus LoadRoster(TournamentState& state, const std::filesystem::path& path,
                            std::size_t* memberLines = nullptr);

// Writes state.rosterList to path atomically; on success sets
// state.currentFileName.  On failure the state and any old file are untouched.
RosterFileStatus SaveRoster(TournamentState& state, const std::filesystem::path& path);

}  // namespace tovi
