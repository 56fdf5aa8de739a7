#include "season/season_document.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace tovi {

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) || a.lexically_normal() == b.lexically_normal();
}

bool SeasonDocument::Holds(const std::filesystem::path& path) const {
    return std::any_of(sources_.begin(), sources_.end(),
                       [&](const Source& source) { return SamePath(source.path, path); });
}

void SeasonDocument::Keep(SeasonEntry entry) {
    sources_.push_back({std::move(entry.path), MeetingPlayerCount(entry.meeting)});
    standings_.push_back(StandingOf(entry.meeting));
    meetings_.push_back(std::move(entry.meeting));
}

void SeasonDocument::Clear() {
    meetings_.clear();
    standings_.clear();
    sources_.clear();
}

void SeasonDocument::Add(SeasonEntry entry) {
    Keep(std::move(entry));
    unsaved_ = true;
}

bool SeasonDocument::RemoveInSeasonOrder(std::size_t row) {
    if (row >= season_.meetingOrder.size()) return false;
    const auto index = static_cast<std::ptrdiff_t>(season_.meetingOrder[row]);
    meetings_.erase(meetings_.begin() + index);
    standings_.erase(standings_.begin() + index);
    sources_.erase(sources_.begin() + index);
    unsaved_ = true;
    return true;
}

void SeasonDocument::Replace(std::vector<SeasonEntry> entries, const SeasonSettings& settings,
                             bool complete) {
    Clear();
    for (SeasonEntry& entry : entries) Keep(std::move(entry));
    settings_ = settings;
    // Loaded as the file has it; what was left out makes it differ.
    unsaved_ = !complete;
}

void SeasonDocument::SetSettings(const SeasonSettings& settings) {
    settings_ = settings;
    unsaved_ = true;
}

void SeasonDocument::Sum(RankingList list) {
    season_ = SumStandings(meetings_, standings_, settings_);
    rows_ = RankSeason(season_, settings_, list);
}

std::vector<const SeasonMeeting*> SeasonDocument::InSeasonOrder() const {
    std::vector<const SeasonMeeting*> ordered;
    for (const std::size_t i : season_.meetingOrder) ordered.push_back(&meetings_[i]);
    return ordered;
}

std::vector<std::filesystem::path> SeasonDocument::PathsFrom(
    const std::filesystem::path& folder) const {
    std::vector<std::filesystem::path> paths;
    for (const Source& source : sources_) paths.push_back(source.path.lexically_relative(folder));
    return paths;
}

}  // namespace tovi
