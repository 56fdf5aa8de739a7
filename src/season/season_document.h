// The season as the season window keeps it: the meetings added, each with
// the file it was read from, its standing and its player count; the
// settings; the season summed over the meetings and ranked for one list;
// and whether it changed since it was last saved or loaded.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "season/season.h"

namespace tovi {

// One meeting of the season and the file it was read from (absolute).
struct SeasonEntry {
    std::filesystem::path path;
    SeasonMeeting meeting;
};

// True when a and b name one file: the same file on the disk, or the same
// path once made normal.
bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b);

class SeasonDocument {
public:
    // True when a meeting of the season was read from path.
    bool Holds(const std::filesystem::path& path) const;
    // Adds a meeting.  The season is summed again by Sum.
    void Add(SeasonEntry entry);
    // Removes the meeting on row of the meetings in season order; false
    // when there is none.
    bool RemoveInSeasonOrder(std::size_t row);
    // Every meeting and the settings at once, as a season file loads them;
    // complete is false when the file named meetings that could not be read.
    void Replace(std::vector<SeasonEntry> entries, const SeasonSettings& settings, bool complete);
    void SetSettings(const SeasonSettings& settings);
    const SeasonSettings& Settings() const { return settings_; }

    // Sums the season over its meetings and ranks it for list.
    void Sum(RankingList list);
    const Season& Summed() const { return season_; }
    const std::vector<SeasonRow>& Rows() const { return rows_; }  // of the list ranked

    bool Empty() const { return meetings_.empty(); }
    // The meetings in the order added (Summed().meetingOrder indexes them),
    // and the player count of the i-th.
    const std::vector<SeasonMeeting>& MeetingsAdded() const { return meetings_; }
    int PlayerCount(std::size_t i) const { return sources_.at(i).playerCount; }
    // The meetings in season order.
    std::vector<const SeasonMeeting*> InSeasonOrder() const;
    // The meetings' files as seen from folder, in the order added.
    std::vector<std::filesystem::path> PathsFrom(const std::filesystem::path& folder) const;

    // Changed since it was last saved or loaded whole.
    bool Unsaved() const { return unsaved_; }
    void MarkSaved() { unsaved_ = false; }

private:
    struct Source {
        std::filesystem::path path;  // absolute
        int playerCount = 0;
    };
    void Keep(SeasonEntry entry);
    void Clear();

    // One element a meeting in each, in the order added: the sums take the
    // meetings and their standings as they stand.
    std::vector<SeasonMeeting> meetings_;
    std::vector<MeetingStanding> standings_;
    std::vector<Source> sources_;
    SeasonSettings settings_;
    Season season_;
    std::vector<SeasonRow> rows_;
    bool unsaved_ = false;
};

}  // namespace tovi
