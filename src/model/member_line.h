// The member line that registration appends to the roster, or puts in
// place of a member's line when the member is corrected.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/birth_date.h"

namespace tovi {

// Appends text to line as one comma-text field: unchanged when it holds no
// comma, double quote or byte 01..20, otherwise between double quotes with
// every quote character doubled.  Read character by character, a double-byte
// character always whole, the way SplitCommaText reads it back.
void AppendCommaTextField(std::string& line, std::string_view text);

// name,team,gender,0,0,0,0,0,   (nine fields, the last empty); with a date
// of birth the fourth field is the date as YYYYMMDD instead of 0.  Each text
// is written by AppendCommaTextField, so that it parses back whole.
std::string MakeMemberLine(const std::string& name, const std::string& team,
                           const std::string& gender,
                           const std::optional<BirthDate>& born = std::nullopt);

// What registration's boxes show of a member line: the first three fields
// and the date the fourth holds; missing fields are empty.
struct MemberFields {
    std::string name;
    std::string team;
    std::string gender;
    std::optional<BirthDate> born;
};
MemberFields ReadMemberFields(std::string_view line);

}  // namespace tovi
