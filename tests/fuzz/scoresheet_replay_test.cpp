// Replays every file of the committed score-sheet corpus through the fuzz target,
// so that each input the fuzzer ever tripped over stays a regression test.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scoresheet_fuzz_target.h"

namespace tovi::fuzz {
namespace {

namespace fs = std::filesystem;

// The corpus folder: under TOVI_TEST_DATA when the test runs under CTest,
// otherwise beside this source file.
fs::path CorpusFolder() {
    if (const char* data = std::getenv("TOVI_TEST_DATA"); data != nullptr && *data != '\0')
        return fs::path(data) / "fuzz" / "corpus" / "scoresheet";
    return fs::path(__FILE__).parent_path() / "corpus" / "scoresheet";
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ScoreSheetFuzzReplay, EveryCorpusFileKeepsTheInvariants) {
    const fs::path folder = CorpusFolder();
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        // Named first, so that an abort below shows which file it was.
        std::fprintf(stderr, "replaying %s\n", entry.path().filename().c_str());
        const std::vector<std::uint8_t> bytes = ReadAll(entry.path());
        // A broken invariant aborts the test program, naming the invariant.
        EXPECT_EQ(ScoreSheetFuzzOneInput(bytes.data(), bytes.size()), 0);
        ++replayed;
    }
    EXPECT_GE(replayed, 10) << "the corpus in " << folder << " looks incomplete";
}

}  // namespace
}  // namespace tovi::fuzz
