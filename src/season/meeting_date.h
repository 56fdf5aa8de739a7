// The 開催日 of a meeting's heading read as numbers, for ordering the
// season's meetings and naming its first and last day.
#pragma once

#include <optional>
#include <string_view>

#include "results/results_file.h"

namespace tovi {

struct MeetingDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend auto operator<=>(const MeetingDate&, const MeetingDate&) = default;
};

// A number of the date as typed (CP932): ASCII or full-width digits, with
// half- or full-width spaces before and after them; nothing for anything
// else.
std::optional<int> DateNumber(std::string_view text);

// The heading's year, month and day, when all three are numbers.
std::optional<MeetingDate> DateOf(const MeetingHeading& heading);

}  // namespace tovi
