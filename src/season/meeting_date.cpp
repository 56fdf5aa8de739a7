#include "season/meeting_date.h"

#include <limits>
#include <string>

#include "model/cp932_literals.h"
#include "model/int_conversion.h"

namespace tovi {

std::optional<int> DateNumber(std::string_view text) {
    const std::string_view wideSpace = cp932::kIdeographicSpace;
    const auto wideDigit = [](std::string_view at) {
        return at.size() >= 2 && static_cast<unsigned char>(at[0]) == 0x82 &&
               static_cast<unsigned char>(at[1]) >= 0x4F &&
               static_cast<unsigned char>(at[1]) <= 0x58;
    };
    std::string digits;
    bool spaceAfterDigits = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view at = text.substr(i);
        const bool space = at.front() == ' ' || at.starts_with(wideSpace);
        if (space) {
            spaceAfterDigits = !digits.empty();
            i += at.front() == ' ' ? 1 : wideSpace.size();
            continue;
        }
        if (spaceAfterDigits) return std::nullopt;  // two numbers
        if (at.front() >= '0' && at.front() <= '9') {
            digits += at.front();
            ++i;
        } else if (wideDigit(at)) {  // ０..９
            digits += static_cast<char>('0' + (static_cast<unsigned char>(at[1]) - 0x4F));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return ParseDigitField(digits, 0, std::numeric_limits<int>::max());
}

std::optional<MeetingDate> DateOf(const MeetingHeading& heading) {
    const std::optional<int> year = DateNumber(heading.year);
    const std::optional<int> month = DateNumber(heading.month);
    const std::optional<int> day = DateNumber(heading.day);
    if (!year || !month || !day) return std::nullopt;
    return MeetingDate{*year, *month, *day};
}

}  // namespace tovi
