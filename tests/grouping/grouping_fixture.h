// Test helpers for the grouping engine: a roster built from a compact code,
// with its flags and tallies set consistently, and scripted sources of chance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/clock.h"
#include "core/cp932.h"
#include "grouping/random_source.h"
#include "model/cp932_literals.h"
#include "model/tournament_state.h"

namespace tovi::testing {

// One character a member, in roster order:
//   m / f  a man / woman who plays        M / F  a man / woman who plays and leads
//   x      plays, gender cell empty       y      plays, gender cell "女性"
//   -      a man on the roster who does not play
inline TournamentState MakeRoster(std::string_view code) {
    TournamentState state;
    for (std::size_t p = 0; p < code.size(); ++p) {
        const char c = code[p];
        std::string gender;
        if (c == 'm' || c == 'M' || c == '-') gender = cp932::kMale;
        if (c == 'f' || c == 'F') gender = cp932::kFemale;
        if (c == 'y') gender = Utf8ToCp932("女性");
        const std::string name = "P" + std::to_string(p);
        state.rosterList.push_back(name + "," + Utf8ToCp932("東町") + "," + gender + ",0,0,0,0,0,");
        state.rosterTable[p][0] = name;
        state.rosterTable[p][2] = gender;
        state.entryFlag[p] = c == '-' ? 0 : 1;
        state.leaderFlag[p] = (c == 'M' || c == 'F') ? 1 : 0;
    }
    // The tallies as the list refresh computes them.
    for (std::size_t p = 0; p < static_cast<std::size_t>(kTalliedSlots); ++p) {
        if (state.entryFlag[p] != 1) continue;
        const int number = static_cast<int>(p) + 1;
        state.entryList.push_back(number);
        if (state.rosterTable[p][2] == cp932::kMale) {
            state.maleList.push_back(number);
        } else {
            state.femaleList.push_back(number);
        }
        if (p < static_cast<std::size_t>(kLeaderSlots) && state.leaderFlag[p] == 1)
            ++state.leaderCount;
    }
    state.entryCount = static_cast<std::int32_t>(state.entryList.size());
    state.maleCount = static_cast<std::int32_t>(state.maleList.size());
    state.femaleCount = static_cast<std::int32_t>(state.femaleList.size());
    return state;
}

// Hands out the given numbers in turn, then zeros; records how it was used.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values = {}) : values_(std::move(values)) {}
    void Seed(std::uint32_t seed) override {
        seeds.push_back(seed);
        drawsAtSeed.push_back(draws);
    }
    int Next() override {
        const int value = draws < values_.size() ? values_[draws] : 0;
        ++draws;
        return value;
    }
    std::vector<std::uint32_t> seeds;
    std::vector<std::size_t> drawsAtSeed;
    std::size_t draws = 0;

private:
    std::vector<int> values_;
};

// A fixed second; the millisecond readings in turn, then the last one again.
class FakeClock final : public Clock {
public:
    explicit FakeClock(std::int64_t seconds = 1700000000, std::vector<int> milliseconds = {0})
        : seconds_(seconds), milliseconds_(std::move(milliseconds)) {}
    std::int64_t Seconds() override { return seconds_; }
    int Milliseconds() override {
        const std::size_t i = reads < milliseconds_.size() ? reads : milliseconds_.size() - 1;
        ++reads;
        return milliseconds_[i];
    }
    std::size_t reads = 0;

private:
    std::int64_t seconds_;
    std::vector<int> milliseconds_;
};

using Groups = std::vector<std::vector<std::string>>;

// Groups 1..6 of the state, for comparison.
inline Groups GroupsOf(const TournamentState& state) {
    return Groups(state.groupList.begin() + 1, state.groupList.end());
}

}  // namespace tovi::testing
