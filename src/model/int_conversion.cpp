#include "model/int_conversion.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace tovi {

ConversionError::ConversionError(std::string text)
    : std::runtime_error("not a whole number"), text_(std::move(text)) {}

std::int32_t StrToInt(const std::string& text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (i == text.size()) throw ConversionError(text);
    // Accumulate as a negative number so that INT32_MIN is reachable.
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') throw ConversionError(text);
        value = value * 10 - (c - '0');
        if (value < INT32_MIN) throw ConversionError(text);
    }
    if (!negative) {
        if (value < -static_cast<std::int64_t>(INT32_MAX)) throw ConversionError(text);
        value = -value;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<int> ParseDigitField(std::string_view field, int least, int most) {
    if (field.empty() ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
    if (value < least || value > most) return std::nullopt;
    return value;
}

}  // namespace tovi
