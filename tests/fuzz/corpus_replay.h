// Replays every file of a committed fuzz corpus through its fuzz target, so
// that each input the fuzzer ever tripped over stays a regression test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tovi::fuzz {

using FuzzTarget = int (*)(const std::uint8_t*, std::size_t);

// The corpus folder tests/fuzz/corpus/NAME: found through TOVI_TEST_DATA when
// the test runs under CTest, otherwise beside this source file.
inline std::filesystem::path CorpusFolder(const std::string& name) {
    namespace fs = std::filesystem;
    if (const char* data = std::getenv("TOVI_TEST_DATA"); data != nullptr && *data != '\0')
        return fs::path(data) / "fuzz" / "corpus" / name;
    return fs::path(__FILE__).parent_path() / "corpus" / name;
}

inline void ReplayCorpus(const std::string& name, FuzzTarget target) {
    namespace fs = std::filesystem;
    const fs::path folder = CorpusFolder(name);
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        // Named first, so that an abort below shows which file it was.
        std::fprintf(stderr, "replaying %s\n", entry.path().filename().string().c_str());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        // A broken invariant aborts the test program, naming the invariant.
        EXPECT_EQ(target(bytes.data(), bytes.size()), 0);
        ++replayed;
    }
    EXPECT_GE(replayed, 10) << "the corpus in " << folder << " looks incomplete";
}

}  // namespace tovi::fuzz
