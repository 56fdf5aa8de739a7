// The program's one conversion of a text to a whole number.
//
// Accepted: ASCII decimal digits with an optional leading minus sign, within the
// range of a 32-bit signed integer.  Anything else -- the empty text, a plus
// sign, spaces, full-width digits -- raises ConversionError, which every event
// handler's guard turns into the general error report.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovi {

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string text);
    // The offending text, CP932 bytes as they stood.
    const std::string& Text() const noexcept { return text_; }

private:
    std::string text_;
};

// Returns the value of text or throws ConversionError.
std::int32_t StrToInt(const std::string& text);

// The value of a field the program wrote itself (its results files): ASCII
// digits only, within least..most; nothing for any other field (a sign, a
// space, an empty field, a value out of range).
std::optional<int> ParseDigitField(std::string_view field, int least, int most);

}  // namespace tovi
