#include "model/birth_date.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tovi {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The digits as a number; texts longer than four digits count as 10000, which
// no check accepts.
int NumberOf(std::string_view digits) {
    int value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > 9999) return 10000;
    }
    return value;
}

}  // namespace

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

bool IsRealDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

std::optional<BirthDate> ReadBirthDateField(std::string_view field) {
    if (field.size() != 8 || !AllDigits(field)) return std::nullopt;
    const BirthDate date{NumberOf(field.substr(0, 4)), NumberOf(field.substr(4, 2)),
                         NumberOf(field.substr(6, 2))};
    if (date.year < kFirstBirthYear || !IsRealDate(date.year, date.month, date.day))
        return std::nullopt;
    return date;
}

std::string BirthDateField(const BirthDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

BirthDateEntry CheckBirthDate(std::string_view year, std::string_view month, std::string_view day,
                              const BirthDate& today) {
    const int given = !year.empty() + !month.empty() + !day.empty();
    if (given == 0) return {};
    if (given < 3) return {std::nullopt, BirthDateError::Partial, {}};
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day))
        return {std::nullopt, BirthDateError::NotNumber, {}};
    const BirthDate date{NumberOf(year), NumberOf(month), NumberOf(day)};
    const auto wrong = [&date](BirthDateError error) {
        return BirthDateEntry{std::nullopt, error, date};
    };
    if (date.year < kFirstBirthYear || date.year > today.year) return wrong(BirthDateError::Year);
    if (date.month < 1 || date.month > 12) return wrong(BirthDateError::Month);
    if (!IsRealDate(date.year, date.month, date.day)) return wrong(BirthDateError::Day);
    if (date > today) return wrong(BirthDateError::AfterToday);
    return {date, BirthDateError::None, date};
}

}  // namespace tovi
