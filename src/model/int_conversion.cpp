#include "model/int_conversion.h"

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

}  // namespace tovi
