// A member's date of birth: kept in the fourth field of the member line as
// eight digits YYYYMMDD, and typed into registration as year, month and day.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tovi {

inline constexpr int kFirstBirthYear = 1900;

struct BirthDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend auto operator<=>(const BirthDate&, const BirthDate&) = default;
};

// True when the numbers name a day of the Gregorian calendar (any year 1..9999).
bool IsRealDate(int year, int month, int day);
// The days of a month 1..12 of a year.
int DaysInMonth(int year, int month);

// The date a member line's fourth field holds: eight ASCII digits that name a
// real day from kFirstBirthYear on.  Anything else ("0", text from elsewhere)
// is no date.
std::optional<BirthDate> ReadBirthDateField(std::string_view field);

// The fourth field for a date: YYYYMMDD.
std::string BirthDateField(const BirthDate& date);

// What is wrong with a date of birth as typed.
enum class BirthDateError {
    None,
    Partial,     // one or two of year, month and day left empty
    NotNumber,   // a box holds something other than ASCII digits
    Year,        // a year before kFirstBirthYear or after today's
    Month,       // a month outside 1..12
    Day,         // no such day in that month
    AfterToday,  // a day still to come
};

struct BirthDateEntry {
    std::optional<BirthDate> date;  // nothing when the boxes are all empty or wrong
    BirthDateError error = BirthDateError::None;
    BirthDate typed;  // the numbers read, once every box holds digits
};

// Reads the three boxes of registration: all empty is no date; otherwise the
// first fault found, in the order of BirthDateError, or the date.
BirthDateEntry CheckBirthDate(std::string_view year, std::string_view month, std::string_view day,
                              const BirthDate& today);

}  // namespace tovi
