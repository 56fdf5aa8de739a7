// libFuzzer's entry point for the roster target; libFuzzer supplies main().
#include <cstddef>
#include <cstdint>

#include "roster_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tovi::fuzz::RosterFuzzOneInput(data, size);
}
