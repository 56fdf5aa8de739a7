// Reading and replacing files on Windows, with wide (UTF-16) names
// throughout, so that any name Windows allows can be read and written.
#include <windows.h>

#include <algorithm>
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

// The file a save to path writes: the final file a symbolic link there
// names, so that the link stays a link; path itself otherwise.
fs::path SaveTarget(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved;
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

    // ReplaceFileW needs only the folder's permission and the right to delete
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

    RemoveLeftovers(target);
    fs::path temporaryPath;
    FileHandle file = CreateTemporaryBeside(target, temporaryPath);
    if (!file.IsOpen()) return false;
    TemporaryFile temporary(temporaryPath);
    if (!WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get()) || !file.Close())
        return false;

    // ReplaceFileW keeps the old file's attributes and access rights; a new
    // file is moved into place, written through to the disk.
    bool placed = false;
    if (replaces)
        placed = ReplaceFileW(target.c_str(), temporary.Path().c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    if (!placed)
        placed = MoveFileExW(temporary.Path().c_str(), target.c_str(),
                             MOVEFILE_WRITE_THROUGH |
                                 (replaces ? MOVEFILE_REPLACE_EXISTING : DWORD{0})) != 0;
    if (!placed) return false;
    temporary.Release();
    return true;
}

}  // namespace tovi
