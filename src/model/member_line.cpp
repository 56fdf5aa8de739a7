#include "model/member_line.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/roster_table.h"

namespace tovi {
namespace {

// Length of the character starting at pos, by the same rule the comma-text
// parse uses: a lead byte takes the byte after it along, whatever it is.
std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// True when the text, read character by character, holds a byte that would
// end or open a field: a comma, a double quote or a byte 01..20.
bool NeedsQuotes(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte == ',' || byte == '"' || (byte >= 0x01 && byte <= 0x20)) return true;
    }
    return false;
}

}  // namespace

// The second byte of a double-byte character is copied as it is, because the
// parse takes it whole.
void AppendCommaTextField(std::string& line, std::string_view text) {
    if (!NeedsQuotes(text)) {
        line += text;
        return;
    }
    line += '"';
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLengthAt(text, pos);
        if (length == 1 && text[pos] == '"') line += '"';
        line.append(text, pos, length);
        pos += length;
    }
    line += '"';
}

// A name or team is given back whole by the parse as long as it holds no NUL
// and does not end in a lone lead byte (such a byte would take the following
// comma or quote along); texts typed into the edit boxes never do.
std::string MakeMemberLine(const std::string& name, const std::string& team,
                           const std::string& gender, const std::optional<BirthDate>& born) {
    std::string line;
    AppendCommaTextField(line, name);
    line += ',';
    AppendCommaTextField(line, team);
    line += ',';
    AppendCommaTextField(line, gender);
    line += ',';
    line += born ? BirthDateField(*born) : std::string("0");
    line += ",0,0,0,0,";
    return line;
}

MemberFields ReadMemberFields(std::string_view line) {
    std::vector<std::string> fields = SplitCommaText(line);
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    return {std::move(fields[0]), std::move(fields[1]), std::move(fields[2]),
            ReadBirthDateField(fields[3])};
}

}  // namespace tovi
