// libFuzzer's entry point for the score-sheet target; libFuzzer supplies main().
#include <cstddef>
#include <cstdint>

#include "scoresheet_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tovi::fuzz::ScoreSheetFuzzOneInput(data, size);
}
