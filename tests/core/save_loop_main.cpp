// Saves over one file again and again through the program's own save
// function, the bytes of two files in turn, until it is killed or has saved
// COUNT times (the kill test of scripts/check-windows):
//
//   tovi_save_loop TARGET FIRST SECOND [COUNT]
//
// It prints "saving" once both files are read and the first save begins, and
// ends with 1 and a message when a save fails.  Whenever it is killed, the
// target must hold the bytes of FIRST or of SECOND.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/file_io.h"

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: tovi_save_loop TARGET FIRST SECOND [COUNT]\n");
        return 2;
    }
    constexpr std::size_t kLimit = 1u << 20;
    std::string contents[2];
    for (int i = 0; i < 2; ++i) {
        if (!tovi::ReadRegularFile(argv[2 + i], kLimit, contents[i]) ||
            contents[i].size() > kLimit) {
            std::fprintf(stderr, "tovi_save_loop: cannot read %s\n", argv[2 + i]);
            return 2;
        }
    }
    // Without a count it stops by itself after a while, should nobody kill it.
    const long count = argc == 5 ? std::strtol(argv[4], nullptr, 10) : 100000;
    const std::filesystem::path target(argv[1]);
    std::printf("saving\n");
    std::fflush(stdout);
    for (long i = 0; i < count; ++i) {
        if (!tovi::ReplaceFileContents(target, contents[i % 2])) {
            std::fprintf(stderr, "tovi_save_loop: save %ld to %s failed\n", i + 1, argv[1]);
            return 1;
        }
    }
    return 0;
}
