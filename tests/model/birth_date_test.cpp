#include "model/birth_date.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tovi {
namespace {

TEST(BirthDateField, ReadsEightDigitsOfARealDayFrom1900AndWritesThemBack) {
    const struct {
        const char* field;
        std::optional<BirthDate> date;
    } cases[] = {
        {"19500101", BirthDate{1950, 1, 1}},
        {"20000229", BirthDate{2000, 2, 29}},  // a leap year of the 400 rule
        {"0", std::nullopt},                   // what registration writes without a date
        {"18991231", std::nullopt},
        {"19000229", std::nullopt},  // 1900 is no leap year
        {"20230230", std::nullopt},
        {"1950011", std::nullopt},
        {"１９５０0101", std::nullopt},  // full-width digits are text from elsewhere
        {"abcdefgh", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(ReadBirthDateField(c.field), c.date);
        if (c.date) {
            EXPECT_EQ(BirthDateField(*c.date), c.field);
        }
    }
}

TEST(CheckBirthDate, NamesTheFirstFaultOrGivesTheDate) {
    const BirthDate today{2026, 12, 10};
    using E = BirthDateError;
    const struct {
        const char *year, *month, *day;
        E error;
        std::optional<BirthDate> date;
    } cases[] = {
        {"", "", "", E::None, std::nullopt},
        {"1950", "1", "2", E::None, BirthDate{1950, 1, 2}},
        {"2026", "12", "10", E::None, BirthDate{2026, 12, 10}},  // today
        {"1950", "", "", E::Partial, std::nullopt},
        {"195a", "2", "3", E::NotNumber, std::nullopt},
        {"1950", " 2", "3", E::NotNumber, std::nullopt},
        {"1899", "12", "31", E::Year, std::nullopt},
        {"2027", "1", "1", E::Year, std::nullopt},
        {"1950", "13", "1", E::Month, std::nullopt},
        {"1950", "2", "30", E::Day, std::nullopt},
        {"1951", "2", "29", E::Day, std::nullopt},
        {"1952", "2", "29", E::None, BirthDate{1952, 2, 29}},
        {"1950", "4", "31", E::Day, std::nullopt},
        {"2026", "12", "11", E::AfterToday, std::nullopt},
        {"2026", "13", "40", E::Month, std::nullopt},  // the month before the day
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + c.month + "/" + c.day);
        const BirthDateEntry entry = CheckBirthDate(c.year, c.month, c.day, today);
        EXPECT_EQ(entry.error, c.error);
        EXPECT_EQ(entry.date, c.date);
    }
    // What a message about the day needs.
    EXPECT_EQ(CheckBirthDate("1951", "2", "29", today).typed, (BirthDate{1951, 2, 29}));
}

}  // namespace
}  // namespace tovi
