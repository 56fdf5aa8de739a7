// What a save does on Windows beyond the common rules: read-only files,
// files another program holds open, UTF-16 names, killed saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "model/roster_file.h"
#include "model/roster_file_fixture.h"

namespace tovi {

std::uint32_t roster_test::EndedProcessId() {
    wchar_t command[] = L"cmd.exe /c exit 0";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

namespace {

using namespace roster_test;

// Owns a handle.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

TEST(RosterFileOnWindows, SaveRefusesWhatAWriteInPlaceWouldRefuse) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    const std::string bytes = kMarker + "\r\nold,1\r\n";
    const struct {
        const char* what;
        bool readOnly;  // the file has the read-only attribute
        bool heldOpen;  // another program has it open without sharing
    } cases[] = {
        {"read-only file", true, false},
        {"file another program holds", false, true},
    };
    for (const auto& c : cases) {
        WriteBytes(path, bytes);
        if (c.readOnly) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        }
        {
            const Handle holder(c.heldOpen
                                    ? CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr,
                                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                    : INVALID_HANDLE_VALUE);
            TournamentState state;
            state.rosterList = {"new"};
            state.currentFileName = L"C:\\previous\\roster.txt";
            EXPECT_EQ(SaveRoster(state, path), RosterFileStatus::CannotWrite) << c.what;
            EXPECT_EQ(state.currentFileName, L"C:\\previous\\roster.txt") << c.what;
            EXPECT_EQ(dir.Entries(), std::set<fs::path>{"roster.txt"}) << c.what;
        }
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadBytes(path), bytes) << c.what;
    }
}

TEST(RosterFileOnWindows, NamesAreUtf16AllTheWay) {
    // None of these can be spelt in a Western ANSI code page, the last in
    // none at all.
    TempDir dir;
    for (const wchar_t* name : {L"名簿　秋.txt", L"Ölçü ŁódŹ.txt", L"名簿\U0001F600.txt"}) {
        TournamentState saved;
        saved.rosterList = SampleRoster();
        const fs::path path = dir / name;
        ASSERT_EQ(SaveRoster(saved, path), RosterFileStatus::Ok) << path;
        EXPECT_EQ(saved.currentFileName.native(), path.native());
        EXPECT_TRUE(dir.Entries().contains(fs::path(name)));
        TournamentState loaded;
        ASSERT_EQ(LoadRoster(loaded, path), RosterFileStatus::Ok) << path;
        EXPECT_EQ(loaded.rosterList, SampleRoster());
    }
}

TEST(RosterFileOnWindows, ReplacedFileKeepsHiddenAndSystemAndIsMarkedForArchive) {
    constexpr DWORD kShown = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                             FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY;
    const struct {
        const char* what;
        DWORD before;
        DWORD after;
    } cases[] = {
        {"plain file", FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE},
        {"hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE,
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE},
        {"hidden and system, backed up (no archive mark)",
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const fs::path path = dir / "roster.txt";
        WriteBytes(path, "old");
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), c.before)) << c.what;
        // Wine shows every plain file with the archive mark: only the rest
        // is taken as set.
        constexpr DWORD kSet = kShown & ~DWORD{FILE_ATTRIBUTE_ARCHIVE};
        ASSERT_EQ(GetFileAttributesW(path.c_str()) & kSet, c.before & kSet) << c.what;
        TournamentState state;
        state.rosterList = {"a"};
        ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok) << c.what;
        EXPECT_EQ(GetFileAttributesW(path.c_str()) & kShown, c.after) << c.what;
        EXPECT_EQ(ReadBytes(path), kMarker + "\r\na\r\n") << c.what;
        EXPECT_EQ(dir.Entries(), std::set<fs::path>{"roster.txt"}) << c.what;
    }
}

TEST(RosterFileOnWindows, SaveThroughASymbolicLinkWritesTheFileItNames) {
    TempDir dir;
    WriteBytes(dir / "real.txt", "old");
    const fs::path link = dir / "link.txt";
    // Symbolic links need developer mode or administrator rights; Wine makes
    // none (scripts/check-windows saves through a POSIX link instead).
    std::error_code ec;
    if (!CreateSymbolicLinkW(link.c_str(), L"real.txt", 0x2 /* unprivileged */) ||
        !fs::is_symlink(link, ec))
        GTEST_SKIP() << "no symbolic link can be made here";
    TournamentState state;
    state.rosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, link), RosterFileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(link, ec));
    EXPECT_EQ(ReadBytes(dir / "real.txt"), kMarker + "\r\na\r\n");
    EXPECT_EQ(dir.Entries(), (std::set<fs::path>{"link.txt", "real.txt"}));
}

TEST(RosterFileOnWindows, SaveRemovesTheTemporaryFilesOfKilledSavesOfThatRoster) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    WriteBytes(path, "old");
    const DWORD ended = EndedProcessId();
    ASSERT_NE(ended, 0u);
    const std::string dead = std::to_string(ended);
    const std::string alive = std::to_string(GetCurrentProcessId());
    const std::set<fs::path> kept = {
        "roster.txt",
        ".roster.txt.tmp-" + alive + "-0",  // a save of this process
        ".other.txt.tmp-" + dead + "-0",    // another roster's
        ".roster.txt.tmp-" + dead + "-x",   // not a name a save makes
    };
    for (const auto& name : kept)
        if (name != "roster.txt") WriteBytes(dir / name, "keep");
    WriteBytes(dir / (".roster.txt.tmp-" + dead + "-3"), "left");

    TournamentState state;
    state.rosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    EXPECT_EQ(dir.Entries(), kept);
    EXPECT_EQ(ReadBytes(path), kMarker + "\r\na\r\n");
}

}  // namespace
}  // namespace tovi
