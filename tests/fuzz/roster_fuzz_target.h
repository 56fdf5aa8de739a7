// The roster fuzz target: arbitrary bytes taken as a roster file, checked,
// parsed and tallied, with the invariants of each step checked on the way.
// libFuzzer calls it through its entry point; the replay test feeds it every
// file of the committed corpus.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tovi::fuzz {

// Returns 0.  A broken invariant prints what broke and aborts.
int RosterFuzzOneInput(const std::uint8_t* data, std::size_t size);

}  // namespace tovi::fuzz
