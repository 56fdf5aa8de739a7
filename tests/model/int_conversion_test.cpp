#include "model/int_conversion.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/cp932.h"

namespace tovi {
namespace {

TEST(StrToInt, AcceptsDecimalWithOptionalMinus) {
    const struct {
        const char* text;
        std::int32_t value;
    } cases[] = {{"0", 0},
                 {"7", 7},
                 {"01", 1},
                 {"-1", -1},
                 {"-0", 0},
                 {"12", 12},
                 {"2147483647", 2147483647},
                 {"-2147483648", INT32_MIN}};
    for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RefusesEverythingElseWithTheTextAsItStood) {
    const std::string cases[] = {"",
                                 "-",
                                 "+1",
                                 " 1",
                                 "1 ",
                                 "1a",
                                 "--1",
                                 "0x1",
                                 "2147483648",
                                 "-2147483649",
                                 "99999999999",
                                 Utf8ToCp932("１"),
                                 Utf8ToCp932("３組")};
    for (const auto& text : cases) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Text(), text);
        }
    }
}

TEST(ParseDigitField, TakesOnlyDigitsWithinTheRange) {
    const struct {
        const char* field;
        std::optional<int> value;
    } cases[] = {
        {"7", 7},
        {"07", 7},
        {"1", 1},
        {"99", 99},
        {"0", std::nullopt},
        {"100", std::nullopt},
        {"", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDigitField(c.field, 1, 99), c.value) << c.field;
}

}  // namespace
}  // namespace tovi
