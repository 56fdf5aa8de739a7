// The member line that registration appends to the roster.
#pragma once

#include <string>
#include <string_view>

namespace tovi {

// Appends text to line as one comma-text field: unchanged when it holds no
// comma, double quote or byte 01..20, otherwise between double quotes with
// every quote character doubled.  Read character by character, a double-byte
// character always whole, the way SplitCommaText reads it back.
void AppendCommaTextField(std::string& line, std::string_view text);

// name,team,gender,0,0,0,0,0,   (nine fields, the last empty)
// Each text is written by AppendCommaTextField, so that it parses back whole.
std::string MakeMemberLine(const std::string& name, const std::string& team,
                           const std::string& gender);

}  // namespace tovi
