#include "model/roster_file.h"

#include <string>
#include <utility>

#include "core/file_io.h"
#include "core/line_end.h"
#include "model/cp932_literals.h"

namespace tovi {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarker = cp932::kRosterMarker;
}  // namespace

std::vector<std::string> SplitRosterLines(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
    }
    return lines;
}

RosterParseResult ReadRosterBytes(std::string_view bytes) {
    if (bytes.size() > kMaxRosterFileBytes) return {RosterFileStatus::TooLarge, {}};
    std::vector<std::string> lines = SplitRosterLines(bytes);
    if (lines.empty()) return {RosterFileStatus::Empty, {}};
    // The first 4 bytes of line 1 are compared with the marker; a shorter
    // line is compared whole and so never matches.  Text after the marker
    // does not matter.
    if (lines.front().compare(0, kMarker.size(), kMarker) != 0)
        return {RosterFileStatus::NoMarker, {}};
    const std::size_t memberLines = lines.size() - 1;
    if (memberLines > static_cast<std::size_t>(MemberCapacity))
        return {RosterFileStatus::TooManyMembers, {}, memberLines};
    lines.erase(lines.begin());
    return {RosterFileStatus::Ok, std::move(lines), memberLines};
}

std::string FormatRosterFile(const std::vector<std::string>& members) {
    std::string bytes;
    bytes.append(kMarker).append(kCrLf);
    for (const std::string& line : members) bytes.append(line).append(kCrLf);
    return bytes;
}

RosterFileStatus LoadRoster(TournamentState& state, const fs::path& path,
                            std::size_t* memberLines) {
    std::string bytes;
    if (!ReadRegularFile(path, kMaxRosterFileBytes, bytes)) return RosterFileStatus::CannotRead;
    RosterParseResult parsed = ReadRosterBytes(bytes);
    if (memberLines) *memberLines = parsed.memberLines;
    if (parsed.status != RosterFileStatus::Ok) return parsed.status;
    state.rosterList = std::move(parsed.members);
    state.currentFileName = path;
    return RosterFileStatus::Ok;
}

RosterFileStatus SaveRoster(TournamentState& state, const fs::path& path) {
    if (!ReplaceFileContents(path, FormatRosterFile(state.rosterList)))
        return RosterFileStatus::CannotWrite;
    state.currentFileName = path;
    return RosterFileStatus::Ok;
}

}  // namespace tovi
