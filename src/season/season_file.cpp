// The season file (season/season.h): its settings lines and a line per
// meeting.
#include "season/season.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "core/line_end.h"
#include "model/int_conversion.h"
#include "model/member_line.h"
#include "model/roster_file.h"
#include "model/roster_table.h"

namespace tovi {
namespace {

constexpr int kSeasonFileVersion = 1;
constexpr std::size_t kMaxSeasonFileBytes = kMaxResultsFileBytes;

const std::string& Marker() {
    static const std::string tag = Utf8ToCp932("年間成績");
    return tag;
}
const std::string& PointsTag() {
    static const std::string tag = Utf8ToCp932("ポイント");
    return tag;
}
const std::string& AttendanceTag() {
    static const std::string tag = Utf8ToCp932("参加点");
    return tag;
}
const std::string& MinimumRoundsTag() {
    static const std::string tag = Utf8ToCp932("最低ラウンド");
    return tag;
}
const std::string& OrderTag() {
    static const std::string tag = Utf8ToCp932("順位");
    return tag;
}

std::string NumberLine(const std::string& tag, int value) {
    return tag + "," + std::to_string(value) + std::string(kCrLf);
}

// The single number after the tag on a line, within least..most.
std::optional<int> NumberOf(const std::string& line, const std::string& tag, int least, int most) {
    const std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() != 2 || fields[0] != tag) return std::nullopt;
    return ParseDigitField(fields[1], least, most);
}

// A path's line without its line end, or nothing when CP932 cannot spell the
// path or the line would not read back as it.
std::optional<std::string> PathLine(const std::string& path) {
    const std::optional<std::string> bytes = TryUtf8ToCp932(path);
    if (!bytes || bytes->empty() ||
        bytes->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return std::nullopt;
    std::string line;
    AppendCommaTextField(line, *bytes);
    if (SplitCommaText(line) != std::vector<std::string>{*bytes}) return std::nullopt;
    return line;
}

// The path a line names, or nothing for a line that is not one path CP932
// spells whole.
std::optional<std::string> PathOf(const std::string& line) {
    const std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() != 1 || fields[0].empty()) return std::nullopt;
    std::string path = Cp932ToUtf8(fields[0]);
    // Bytes that do not decode come out as U+FFFD.
    if (path.find("\xEF\xBF\xBD") != std::string::npos) return std::nullopt;
    return path;
}

}  // namespace

SeasonFileBytes FormatSeasonFile(const SeasonFile& file) {
    // Settings out of range are written as the nearest allowed value.
    const SeasonSettings& settings = file.settings;
    std::vector<int> table;
    for (const int points : settings.pointsTable)
        if (table.size() < static_cast<std::size_t>(kMaxPointsTableSize))
            table.push_back(std::clamp(points, 0, kMaxPoints));
    if (table.empty()) table.push_back(0);

    SeasonFileBytes written;
    std::string& bytes = written.bytes;
    bytes = Marker() + "," + std::to_string(kSeasonFileVersion) + std::string(kCrLf);
    bytes.append(PointsTag()).append(",").append(FormatPointsTable(table)).append(kCrLf);
    bytes += NumberLine(AttendanceTag(), std::clamp(settings.attendancePoints, 0, kMaxPoints));
    bytes += NumberLine(MinimumRoundsTag(),
                        std::clamp(settings.minimumRounds, kMinMinimumRounds, kMaxMinimumRounds));
    bytes += NumberLine(OrderTag(), settings.order == SeasonOrder::Average ? 1 : 0);
    for (const std::string& path : file.paths) {
        if (const std::optional<std::string> line = PathLine(path))
            bytes.append(*line).append(kCrLf);
        else
            written.leftOut.push_back(path);
    }
    return written;
}

std::optional<SeasonFile> ParseSeasonFile(std::string_view bytes) {
    if (bytes.size() > kMaxSeasonFileBytes || bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    const std::vector<std::string> lines = SplitRosterLines(bytes);
    constexpr std::size_t kFirstPath = 5;  // the index of the first path line
    if (lines.size() < kFirstPath ||
        SplitCommaText(lines[0]) !=
            std::vector<std::string>{Marker(), std::to_string(kSeasonFileVersion)})
        return std::nullopt;

    SeasonFile file;
    std::vector<std::string> points = SplitCommaText(lines[1]);
    if (points.size() < 2 || points.size() > 1 + kMaxPointsTableSize || points[0] != PointsTag())
        return std::nullopt;
    file.settings.pointsTable.clear();
    for (std::size_t i = 1; i < points.size(); ++i) {
        const std::optional<int> value = ParseDigitField(points[i], 0, kMaxPoints);
        if (!value) return std::nullopt;
        file.settings.pointsTable.push_back(*value);
    }
    const auto attendance = NumberOf(lines[2], AttendanceTag(), 0, kMaxPoints);
    const auto minimumRounds =
        NumberOf(lines[3], MinimumRoundsTag(), kMinMinimumRounds, kMaxMinimumRounds);
    const auto order = NumberOf(lines[4], OrderTag(), 0, 1);
    if (!attendance || !minimumRounds || !order) return std::nullopt;
    file.settings.attendancePoints = *attendance;
    file.settings.minimumRounds = *minimumRounds;
    file.settings.order = static_cast<SeasonOrder>(*order);

    for (std::size_t i = kFirstPath; i < lines.size(); ++i) {
        std::optional<std::string> path = PathOf(lines[i]);
        if (!path) return std::nullopt;
        file.paths.push_back(std::move(*path));
    }
    return file;
}

bool IsSeasonFile(std::string_view bytes) { return bytes.starts_with(Marker()); }

}  // namespace tovi
