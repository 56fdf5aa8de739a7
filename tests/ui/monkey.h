// A seeded monkey for the main window: the real window under the offscreen
// platform with scripted dialogs, driven by random presses, clicks and typing
// where a user could make them (only on visible controls), with the window's
// invariants checked after every event.  The same seed always sends the same
// events, so a failure is replayed with `scripts/monkey SEED EVENTS`.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tovi::test {

struct MonkeyReport {
    std::uint64_t seed = 0;
    long eventsRun = 0;

    // The first broken invariant; empty when none broke.
    std::string failure;
    long failedEvent = -1;            // 1-based number of the event after which it broke
    std::vector<std::string> recent;  // the last events sent, the failing one last

    // What the run reached, to tell a monkey that does something from one that does not.
    long loadsAccepted = 0;
    long loadsRefused = 0;
    long savesWritten = 0;
    long savesRefused = 0;
    long registrations = 0;
    long deletions = 0;
    long moves = 0;
    long groupingRuns = 0;  // start-button runs that left members in groups
    long pastes = 0;
    long returns = 0;
    long previews = 0;
    long printsToFile = 0;
    long errorReports = 0;  // the general "is not a whole number" report
    int mostPlayers = 0;
    int mostPlaced = 0;

    bool Failed() const { return !failure.empty(); }
};

// Runs the monkey for `events` events.  Needs a QApplication.  With progress
// set, a line is written there every 10 000 events.
MonkeyReport RunMonkey(std::uint64_t seed, long events, std::FILE* progress = nullptr);

// The report in a few lines, with the seed and, on failure, how to replay it.
std::string Summary(const MonkeyReport& report);

}  // namespace tovi::test
