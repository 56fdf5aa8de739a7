// The CP932 conversion gives the same results on every build: iconv's on
// Linux, Windows' own code page 932 on Windows.  cp932_table.txt holds what
// the Linux build gives for every one- and two-byte sequence that decodes and
// for every character of the basic plane that encodes; each build compares
// its own results with it, and the differences that are known are listed
// below with their reason.
//
// To write the table anew from this build:
//   TOVI_WRITE_CP932_TABLE=tests/core/cp932_table.txt tovi_core_tests --gtest_filter='Cp932Table*'
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/cp932.h"

namespace tovi {
namespace {

std::string Hex(std::string_view bytes) {
    std::string out;
    char digits[3];
    for (const unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", c);
        out += digits;
    }
    return out;
}

std::string Utf8Of(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// What this build gives: "D <bytes> <UTF-8 hex>" for every sequence of one
// or two bytes that decodes to one character, "E <code point> <bytes>" for
// every character of the basic plane that encodes.  A two-byte sequence not
// listed must decode as its two bytes one after the other (checked below).
std::map<std::string, std::string> ThisBuildsTable() {
    std::map<std::string, std::string> table;
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        const std::string decoded = Cp932ToUtf8(one);
        if (decoded != kReplacement) table["D " + Hex(one)] = Hex(decoded);
        for (int b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            const std::string pair = Cp932ToUtf8(two);
            // One character, not the two bytes decoded one by one.
            if (pair != decoded + Cp932ToUtf8(std::string(1, static_cast<char>(b))))
                table["D " + Hex(two)] = Hex(pair);
        }
    }
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        if (const auto bytes = TryUtf8ToCp932(Utf8Of(c))) {
            char key[12];
            std::snprintf(key, sizeof key, "E %04X", static_cast<unsigned>(c));
            table[key] = Hex(*bytes);
        }
    }
    return table;
}

std::filesystem::path TablePath() {
    const char* data = std::getenv("TOVI_TEST_DATA");
    return std::filesystem::path(data ? data : "tests") / "core" / "cp932_table.txt";
}

std::map<std::string, std::string> ReadTable(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::map<std::string, std::string> table;
    std::string kind, key, value;
    while (in >> kind >> key >> value) table[kind + " " + key] = value;
    return table;
}

// Where a build is known to differ from the Linux table, and why.
struct KnownDifference {
    const char* entry;  // "D <bytes>" or "E <code point>"
    const char* value;  // what this build gives; "" where it gives nothing
    const char* reason;
};

// None at present: Windows' code page 932 decodes five single bytes that
// iconv refuses and refuses nine characters that iconv writes as the bytes
// of their look-alikes, and the Windows build follows iconv in both
// (core/cp932_windows.cpp).  An entry would read
//   {"D 80", "C280", "Windows decodes 80 as U+0080"},
constexpr KnownDifference kKnownDifferences[] = {{"", "", ""}};

TEST(Cp932Table, EveryBuildDecodesAndEncodesAsTheLinuxBuildDoes) {
    const std::map<std::string, std::string> mine = ThisBuildsTable();
    if (const char* out = std::getenv("TOVI_WRITE_CP932_TABLE")) {
        std::ofstream file(out, std::ios::binary);
        for (const auto& [key, value] : mine) file << key << ' ' << value << '\n';
        GTEST_SKIP() << "wrote " << mine.size() << " entries to " << out;
    }
    const std::map<std::string, std::string> reference = ReadTable(TablePath());
    ASSERT_GT(reference.size(), 15000u) << TablePath();

    std::map<std::string, std::string> differences;  // entry -> what this build gives
    for (const auto& [key, value] : reference) {
        const auto it = mine.find(key);
        const std::string given = it == mine.end() ? "" : it->second;
        if (given != value) differences[key] = given;
    }
    for (const auto& [key, value] : mine)
        if (!reference.contains(key)) differences[key] = value;

    std::ostringstream unexpected;
    int count = 0;
    for (const auto& [key, given] : differences) {
        const auto known = std::find_if(std::begin(kKnownDifferences), std::end(kKnownDifferences),
                                        [&](const KnownDifference& d) { return key == d.entry; });
        if (known != std::end(kKnownDifferences) && given == known->value) continue;
        const auto it = reference.find(key);
        if (++count <= 50)
            unexpected << "  {\"" << key << "\", \"" << given << "\", \"\"},  // Linux: "
                       << (it == reference.end() ? "nothing" : it->second) << '\n';
    }
    EXPECT_EQ(count, 0) << count << " unexpected differences:\n" << unexpected.str();
    // Every listed difference still happens: the list stays true.
    for (const KnownDifference& d : kKnownDifferences) {
        if (*d.entry == '\0') continue;
        EXPECT_TRUE(differences.contains(d.entry)) << d.entry << " no longer differs";
    }
}

}  // namespace
}  // namespace tovi
