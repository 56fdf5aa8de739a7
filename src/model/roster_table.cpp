#include "model/roster_table.h"

#include <algorithm>
#include <cstddef>

#include "model/cp932_literals.h"

namespace tovi {
namespace {

// Bytes 01..20: control characters and the half-width space.
bool IsSeparatorByte(unsigned char byte) { return byte >= 0x01 && byte <= 0x20; }

// Walks a line byte by byte, a double-byte character always whole.  The line
// ends at its last byte or at a NUL, whichever comes first; nothing past the
// end is ever read, also when the line ends in a lone lead byte.
class LineCursor {
public:
    explicit LineCursor(std::string_view line) : line_(line.substr(0, line.find('\0'))) {}

    bool AtEnd() const { return pos_ >= line_.size(); }
    unsigned char Current() const { return static_cast<unsigned char>(line_[pos_]); }
    bool IsLastByte() const { return pos_ + 1 == line_.size(); }
    bool NextIs(char byte) const { return pos_ + 1 < line_.size() && line_[pos_ + 1] == byte; }

    // Length of the character at the cursor: 2 for a lead byte with a byte
    // after it, otherwise 1.
    std::size_t CharLength() const {
        return IsLeadByte(Current()) && pos_ + 1 < line_.size() ? 2 : 1;
    }
    // Appends the character at the cursor to out and steps over it.
    void TakeChar(std::string& out) {
        const std::size_t length = CharLength();
        out.append(line_, pos_, length);
        pos_ += length;
    }
    void Step() { ++pos_; }
    void SkipSeparators() {
        while (!AtEnd() && IsSeparatorByte(Current())) ++pos_;
    }

private:
    std::string_view line_;
    std::size_t pos_ = 0;
};

// A field that starts with a double quote: it runs to the next lone quote, a
// doubled quote standing for one.  A field whose closing quote is missing
// runs to the end of the line and keeps every byte.
std::string TakeQuotedField(LineCursor& cursor) {
    std::string field;
    cursor.Step();  // the opening quote
    while (!cursor.AtEnd()) {
        if (cursor.Current() == '"') {
            if (!cursor.NextIs('"')) {
                cursor.Step();  // the closing quote
                break;
            }
            field += '"';
            cursor.Step();
            cursor.Step();
            continue;
        }
        cursor.TakeChar(field);
    }
    return field;
}

// A field without quotes runs up to a byte 00..20 or a comma; a double quote
// inside it is an ordinary byte.
std::string TakePlainField(LineCursor& cursor) {
    std::string field;
    while (!cursor.AtEnd() && cursor.Current() > 0x20 && cursor.Current() != ',')
        cursor.TakeChar(field);
    return field;
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::vector<std::string> SplitCommaText(std::string_view line) {
    std::vector<std::string> fields;
    LineCursor cursor(line);
    cursor.SkipSeparators();
    // Every round moves on: it starts on a byte above 20 (separators are
    // skipped, a NUL ended the line), so it either takes a field of at least
    // one byte or stands on a comma, which it steps over.
    while (!cursor.AtEnd()) {
        fields.push_back(cursor.Current() == '"' ? TakeQuotedField(cursor)
                                                 : TakePlainField(cursor));
        cursor.SkipSeparators();
        if (!cursor.AtEnd() && cursor.Current() == ',') {
            if (cursor.IsLastByte()) fields.emplace_back();
            cursor.Step();
            cursor.SkipSeparators();
        }
    }
    return fields;
}

void BlankRosterTable(TournamentState& state) {
    const std::size_t rows =
        std::min(state.rosterTable.size(), static_cast<std::size_t>(kBlankedTableRows));
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 1; c < kTableColumns; ++c)
            state.rosterTable[r][c] = cp932::kIdeographicSpace;
}

void ParseRoster(TournamentState& state) {
    // Fields 1..7 of a line go to columns 0..6; columns 7 and 8 are left alone.
    constexpr std::size_t kParsedColumns = 7;
    const std::size_t rows = std::min(state.rosterList.size(), state.rosterTable.size());
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> fields = SplitCommaText(state.rosterList[r]);
        RosterRow& row = state.rosterTable[r];
        for (std::size_t c = 0; c < kParsedColumns; ++c)
            row[c] = c < fields.size() ? std::move(fields[c]) : std::string();
    }
}

TallyResult ComputeTallies(TournamentState& state) {
    state.entryList.clear();
    state.maleList.clear();
    state.femaleList.clear();
    state.placedList.clear();
    for (int i = 0; i < kTalliedSlots; ++i) {
        const int member = i + 1;
        if (state.placedFlag[i] == 1) state.placedList.push_back(member);
        if (state.entryFlag[i] == 1) {
            state.entryList.push_back(member);
            const bool male = static_cast<std::size_t>(i) < state.rosterTable.size() &&
                              state.rosterTable[i][2] == cp932::kMale;
            (male ? state.maleList : state.femaleList).push_back(member);
        }
    }
    state.entryCount = static_cast<std::int32_t>(state.entryList.size());
    state.maleCount = static_cast<std::int32_t>(state.maleList.size());
    state.femaleCount = static_cast<std::int32_t>(state.femaleList.size());
    state.placedCount = static_cast<std::int32_t>(state.placedList.size());

    TallyResult result;
    if (state.entryCount > MaxEntrants) {
        result.overLimit = true;
        return result;
    }
    state.leaderCount = static_cast<std::int32_t>(
        std::count(state.leaderFlag.begin(), state.leaderFlag.begin() + kLeaderSlots, 1));
    result.groupCountText =
        state.leaderCount > 0 ? std::to_string(state.leaderCount) : std::string();
    return result;
}

}  // namespace tovi
