#include "results/entry_cursor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace tovi {

// Found by GoogleTest through the type's namespace.
void PrintTo(const EntryPosition& p, std::ostream* out) {
    *out << "(" << p.group << "," << p.player << "," << p.round << "," << p.hole << ")";
}

namespace {

TEST(ResultEntryCursor, MovesOnThroughHolesRoundsPlayersAndGroups) {
    const std::vector<int> pages = {2, 0, 1, 0};
    const struct {
        const char* what;
        int rounds, holes;
        EntryPosition at, expected;
    } cases[] = {
        {"next hole", 2, 3, {0, 0, 0, 0}, {0, 0, 0, 1}},
        {"last hole: the next round", 2, 3, {0, 0, 0, 2}, {0, 0, 1, 0}},
        {"last round: the next player", 2, 3, {0, 0, 1, 2}, {0, 1, 0, 0}},
        {"last player: the next page with players", 2, 3, {0, 1, 1, 2}, {2, 0, 0, 0}},
        {"one round of one hole", 1, 1, {0, 0, 0, 0}, {0, 1, 0, 0}},
        {"the very end stays", 2, 3, {2, 0, 1, 2}, {2, 0, 1, 2}},
        {"a hole beyond the count stays", 2, 3, {0, 0, 0, 3}, {0, 0, 0, 3}},
        {"an empty page stays", 2, 3, {1, 0, 0, 0}, {1, 0, 0, 0}},
        {"a page beyond the pages stays", 2, 3, {4, 0, 0, 0}, {4, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextEntryPosition(pages, c.rounds, c.holes, c.at), c.expected) << c.what;
}

TEST(ResultEntryCursor, WalksEveryCellOnceInEntryOrder) {
    const std::vector<int> pages = {0, 3, 0, 0, 2, 1};
    const int rounds = 3, holes = 4;
    std::vector<EntryPosition> expected;
    for (int g = 0; g < static_cast<int>(pages.size()); ++g)
        for (int p = 0; p < pages[static_cast<std::size_t>(g)]; ++p)
            for (int r = 0; r < rounds; ++r)
                for (int h = 0; h < holes; ++h) expected.push_back({g, p, r, h});

    std::vector<EntryPosition> walked = {expected.front()};
    while (walked.size() <= expected.size()) {
        const EntryPosition next = NextEntryPosition(pages, rounds, holes, walked.back());
        if (next == walked.back()) break;
        walked.push_back(next);
    }
    EXPECT_EQ(walked, expected);
}

TEST(ResultEntryCursor, EntryStartsAtTheFirstCellWithoutStrokesAlongThePath) {
    // Page 0 empty; page 1 with two players; 2 rounds of 2 holes.
    const EntryPath path({0, 2, 1}, 2, 2);
    const auto filledUpTo = [&](int cells) {
        return [&path, cells](const EntryPosition& at) {
            int before = 0;
            for (EntryPosition p{1, 0, 0, 0}; p != at; p = path.Next(p)) ++before;
            return before < cells;
        };
    };
    const struct {
        const char* what;
        int filled;  // cells along the path that have strokes
        EntryPosition expected;
    } cases[] = {
        {"nothing entered: the first cell of the first page with players", 0, {1, 0, 0, 0}},
        {"three entered: the second round's second hole", 3, {1, 0, 1, 1}},
        {"the first player done: the second player", 4, {1, 1, 0, 0}},
        {"a page done: the next page", 8, {2, 0, 0, 0}},
        {"every cell entered: back to the first", 12, {1, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(path.FirstOpen(filledUpTo(c.filled)), c.expected) << c.what;
    EXPECT_EQ(EntryPath({0, 0}, 2, 2).FirstOpen([](const EntryPosition&) { return false; }),
              (EntryPosition{0, 0, 0, 0}));
}

}  // namespace
}  // namespace tovi
