// The member line that registration appends to the roster.
#pragma once

#include <string>

namespace tovi {

// name,team,gender,0,0,0,0,0,   (nine fields, the last empty)
// A name or team holding a comma, a double quote or a byte 01..20 is written
// as a quoted field with inner quotes doubled, so that it parses back whole;
// any other text is written unchanged.
std::string MakeMemberLine(const std::string& name, const std::string& team,
                           const std::string& gender);

}  // namespace tovi
