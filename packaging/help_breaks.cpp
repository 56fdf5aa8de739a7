// Joins the paragraphs of a guide page and, for the CHM viewer, marks where
// it may wrap their lines.
// Usage: tovi_help_breaks [--join-only] IN OUT  (both UTF-8)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "help_breaks.h"

int main(int argc, char* argv[]) {
    const bool joinOnly = argc == 4 && std::string(argv[1]) == "--join-only";
    if (argc != 3 && !joinOnly) {
        std::fprintf(stderr, "usage: %s [--join-only] IN OUT\n", argv[0]);
        return 2;
    }
    if (joinOnly) ++argv;
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) return 1;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ofstream out(argv[2], std::ios::binary);
    out << (joinOnly ? tovi::help::JoinLines(text) : tovi::help::WithLineBreaks(text));
    return out.good() ? 0 : 1;
}
