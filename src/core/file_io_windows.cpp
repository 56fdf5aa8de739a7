// Reading and replacing files on Windows, with wide (UTF-16) names
// throughout, so that any name Windows allows can be read and written.
//
// The new contents are put in place with one MoveFileExW that replaces the
// target, as a rename over it does on POSIX.  ReplaceFileW is not used: it
// moves the old file aside, deletes it and only then moves the new file in,
// so a save cut off between those steps (a killed process, a power cut)
// leaves no file at the target at all, and its own error codes
// (ERROR_UNABLE_TO_MOVE_REPLACEMENT, ..._2) report exactly such half-done
// states.  What ReplaceFileW kept of the old file and a user would miss is
// kept here by hand: its hidden, system and not-indexed attributes.  The
// replaced file takes the access rights of a new file in its folder.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/file_io.h"

namespace tovi {
namespace {

namespace fs = std::filesystem;
using file_io_detail::FolderOf;
using file_io_detail::NextTemporaryPath;
using file_io_detail::TemporaryOwner;
using file_io_detail::TemporaryPrefix;

// Owns one open file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    FileHandle& operator=(FileHandle&&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!IsOpen()) return true;
        return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    }

private:
    HANDLE handle_;
};

// Owns one FindFirstFileW search.
class FileSearch {
public:
    FileSearch(const std::wstring& pattern, WIN32_FIND_DATAW& found)
        : handle_(FindFirstFileW(pattern.c_str(), &found)) {}
    ~FileSearch() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& found) { return FindNextFileW(handle_, &found) != 0; }

private:
    HANDLE handle_;
};

// Removes a temporary file when it goes out of scope, unless released.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const fs::path& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    fs::path path_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Creates a new, empty file beside target with a name no one else uses.
FileHandle CreateTemporaryBeside(const fs::path& target, fs::path& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = NextTemporaryPath(target, GetCurrentProcessId());
        FileHandle file(CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsOpen()) {
            created = std::move(candidate);
            return file;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return FileHandle();
}

// Whether the process with this id has ended (an id that names no process).
bool ProcessHasEnded(DWORD id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Removes the temporary files that saves of target left behind when they
// were killed: files named like ours whose process no longer runs.
void RemoveLeftovers(const fs::path& target) {
    const fs::path folder = FolderOf(target);
    const std::wstring prefix = TemporaryPrefix(target);
    std::vector<std::wstring> leftovers;
    WIN32_FIND_DATAW found{};
    FileSearch search((folder / (prefix + L"*")).native(), found);
    for (bool more = search.Found(); more; more = search.Next(found)) {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const auto owner = TemporaryOwner(found.cFileName, prefix);
        if (!owner || *owner == GetCurrentProcessId() || !ProcessHasEnded(*owner)) continue;
        leftovers.emplace_back(found.cFileName);
    }
    for (const std::wstring& name : leftovers) DeleteFileW((folder / name).c_str());
}

// The path GetFinalPathNameByHandleW gives back, without its "\\?\" (or
// "\\?\UNC\") prefix, so that it reads as the path a user would type; a
// path too long for the plain form keeps the prefix.
fs::path WithoutLongPathPrefix(std::wstring path) {
    if (path.size() >= MAX_PATH + 4) return path;
    if (path.starts_with(LR"(\\?\UNC\)")) return LR"(\\)" + path.substr(8);
    if (path.starts_with(LR"(\\?\)")) return path.substr(4);
    return path;
}

// The file an existing path finally names, links followed; nothing when
// that cannot be told.
std::optional<fs::path> FinalPathOf(const fs::path& path) {
    FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return std::nullopt;
    std::wstring name(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length =
            GetFinalPathNameByHandleW(file.Get(), name.data(), static_cast<DWORD>(name.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return std::nullopt;
        if (length < name.size()) {
            name.resize(length);
            return WithoutLongPathPrefix(std::move(name));
        }
        name.assign(length, L'\0');  // the length with the terminating null
    }
    return std::nullopt;
}

// The file a save to path writes: the final file a symbolic link there
// names, so that the link stays a link; path itself otherwise.  A link the
// system does not show as one (a POSIX link seen through Wine) is found by
// asking the open file for its final name.
fs::path SaveTarget(const fs::path& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        return ec ? path : resolved;
    }
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
    const std::optional<fs::path> final = FinalPathOf(path);
    return final && !final->filename().empty() ? *final : path;
}

// The attributes the new file takes over from the one it replaces; the
// archive mark is set, as any write sets it.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool SetAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO info{};  // times of zero stay as they are
    info.FileAttributes = attributes;
    return SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != 0;
}

// One rename puts the new file in place: at every moment the target is
// either the old file or the new one.  A virus scanner or the search indexer
// may hold the just-closed file for a moment, so a refusal for access or
// sharing is tried again a few times before the save fails.
bool MoveIntoPlace(const fs::path& temporary, const fs::path& target) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (attempt == 10 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
            return false;
        Sleep(50);
    }
}

}  // namespace

bool ReadRegularFile(const fs::path& path, std::size_t limit, std::string& bytes) {
    // A folder is not opened without FILE_FLAG_BACKUP_SEMANTICS; a pipe or a
    // device is opened but not read.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen() || GetFileType(file.Get()) != FILE_TYPE_DISK) return false;
    bytes.clear();
    char buffer[64 * 1024];
    while (bytes.size() <= limit) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return true;
}

bool ReplaceFileContents(const fs::path& path, std::string_view bytes) {
    if (path.filename().empty()) return false;
    const fs::path target = SaveTarget(path);

    // The rename needs only the folder's permission and the right to delete
    // the old file, so what a write in place would refuse is refused here: a
    // read-only file, one the user may not write, a folder or a device.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool replaces = attributes != INVALID_FILE_ATTRIBUTES;
    if (!replaces && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    if (replaces) {
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
        FileHandle old(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!old.IsOpen() || GetFileType(old.Get()) != FILE_TYPE_DISK) return false;
    }

    // Leftovers are cleared only beside a file that is there: with the
    // target missing, a leftover may hold the only copy of its contents.
    if (replaces) RemoveLeftovers(target);
    fs::path temporaryPath;
    FileHandle file = CreateTemporaryBeside(target, temporaryPath);
    if (!file.IsOpen()) return false;
    TemporaryFile temporary(temporaryPath);
    const DWORD kept = replaces ? attributes & kKeptAttributes : 0;
    if (!WriteAll(file.Get(), bytes) || !SetAttributes(file.Get(), kept | FILE_ATTRIBUTE_ARCHIVE) ||
        !FlushFileBuffers(file.Get()) || !file.Close())
        return false;

    if (!MoveIntoPlace(temporary.Path(), target)) return false;
    temporary.Release();
    return true;
}

}  // namespace tovi
