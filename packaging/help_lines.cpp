// Joins the paragraphs of a guide page (help_lines.h).
// Usage: tovi_help_lines IN OUT  (both UTF-8)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "help_lines.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN OUT\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) return 1;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ofstream out(argv[2], std::ios::binary);
    out << tovi::help::JoinLines(text);
    return out.good() ? 0 : 1;
}
