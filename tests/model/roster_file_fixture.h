// What the tests of the roster file share: a temporary folder, reading and
// writing bytes, and sample rosters.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/member_line.h"

namespace tovi::roster_test {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

inline const std::string kMarker = cp932::kRosterMarker;

// The id of a process that has ended, as a save names its temporary files
// (defined once per system, beside that system's tests).
std::uint32_t EndedProcessId();

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end of the test.
class TempDir {
public:
    TempDir() {
        static int made = 0;
        const fs::path base = fs::temp_directory_path();
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; path_.empty(); ++attempt) {
            const fs::path candidate =
                base / ("tovi-roster-" + std::to_string(stamp) + "-" + std::to_string(made++));
            if (fs::create_directory(candidate)) path_ = candidate;
            if (attempt > 100) throw std::runtime_error("no temporary folder");
        }
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& Path() const { return path_; }
    fs::path operator/(const fs::path& name) const { return path_ / name; }
    // The names of the entries of the folder.
    std::set<fs::path> Entries() const {
        std::set<fs::path> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.insert(entry.path().filename());
        return names;
    }

private:
    fs::path path_;
};

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A roster of n distinct member lines.
inline Lines Members(int n) {
    Lines lines;
    for (int i = 0; i < n; ++i)
        lines.push_back(MakeMemberLine("m" + std::to_string(i), Utf8ToCp932("東町"), cp932::kMale));
    return lines;
}

inline std::string Join(const Lines& lines, const std::string& end) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + end;
    return bytes;
}

// Some member lines that must survive a save and a load unchanged: Japanese
// text, quoted names, an empty team, bytes that are not valid CP932, a name
// that itself begins with the marker, an empty line.
inline Lines SampleRoster() {
    return {
        MakeMemberLine(Utf8ToCp932("山田　花子"), Utf8ToCp932("東町"), cp932::kFemale),
        MakeMemberLine("A B", "", cp932::kMale),
        MakeMemberLine("say \"hi\"", Utf8ToCp932("西町,北"), cp932::kMale),
        MakeMemberLine(Utf8ToCp932("作成太郎"), Utf8ToCp932("南町"), cp932::kMale),
        "\x80\xFF\x81,\xA0,\x81",
        "",
    };
}

}  // namespace tovi::roster_test
