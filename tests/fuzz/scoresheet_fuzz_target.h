// The score-sheet fuzz target: arbitrary bytes taken as the nine settings
// texts, the hide-hole-numbers flag, a roster of names and teams, the six
// groups and a scale; the sheet is drawn on a recording surface and what was
// drawn is checked.  libFuzzer calls it through its entry point; the replay
// test feeds it every file of the committed corpus.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tovi::fuzz {

// Returns 0.  A broken invariant prints what broke and aborts.
int ScoreSheetFuzzOneInput(const std::uint8_t* data, std::size_t size);

}  // namespace tovi::fuzz
