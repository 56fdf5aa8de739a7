#include "model/roster_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "model/cp932_literals.h"

namespace tovi {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMarker = cp932::kRosterMarker;
constexpr std::string_view kLineEnd = "\r\n";

// Owns one open file descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    // Closes the descriptor; false when closing reported an error (a write
    // that the kernel could not complete may only show here).
    bool Close() {
        if (fd_ < 0) return true;
        const int rc = ::close(std::exchange(fd_, -1));
        return rc == 0;
    }

private:
    int fd_;
};

// Removes a temporary file when it goes out of scope, unless released.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const fs::path& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    fs::path path_;
};

// Reads the whole file, or kMaxRosterFileBytes + 1 bytes of a larger one.
RosterFileStatus ReadFileBytes(const fs::path& path, std::string& bytes) {
    // Only a regular file is opened: a folder cannot be read, and opening a
    // named pipe could block the window for good.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return RosterFileStatus::CannotRead;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen()) return RosterFileStatus::CannotRead;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return RosterFileStatus::CannotRead;

    bytes.clear();
    char buffer[64 * 1024];
    while (bytes.size() <= kMaxRosterFileBytes) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return RosterFileStatus::CannotRead;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return RosterFileStatus::Ok;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The folder that holds path.
fs::path FolderOf(const fs::path& path) {
    return path.parent_path().empty() ? fs::path(".") : path.parent_path();
}

// The start of the name of a temporary file beside target: a dot, the
// target's name (cut so that the whole stays within the limit of a file
// name) and ".tmp-"; the process id, a dash and a counter follow.
std::string TemporaryPrefix(const fs::path& target) {
    // Built step by step: GCC warns falsely about the overlap of a chain of +.
    std::string prefix(1, '.');
    prefix += target.filename().string().substr(0, 200);
    prefix += ".tmp-";
    return prefix;
}

// Creates a new, empty file beside target with a name no one else uses.  The
// mode 0666 lets the process's umask decide, as for any new file.
FileDescriptor CreateTemporaryBeside(const fs::path& target, fs::path& created) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TemporaryPrefix(target);
        name += std::to_string(::getpid());
        name += '-';
        name += std::to_string(counter++);
        fs::path candidate = folder / name;
        FileDescriptor fd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.IsOpen()) {
            created = std::move(candidate);
            return fd;
        }
        if (errno != EEXIST) break;
    }
    return FileDescriptor();
}

// The process id in a temporary name "PREFIX PID-N", when it has that form.
std::optional<pid_t> TemporaryOwner(std::string_view name, std::string_view prefix) {
    if (name.substr(0, prefix.size()) != prefix) return std::nullopt;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size()) return std::nullopt;
    const auto digits = [](std::string_view text) {
        return text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(name.substr(0, dash)) || !digits(name.substr(dash + 1)) || dash > 9)
        return std::nullopt;
    const long pid = std::stol(std::string(name.substr(0, dash)));
    if (pid <= 0 || pid > INT_MAX) return std::nullopt;
    return static_cast<pid_t>(pid);
}

// Removes the temporary files that saves of target left behind when they
// were killed: regular files named like ours whose process no longer runs.
// A file whose process is alive may belong to a save in progress elsewhere.
void RemoveLeftovers(const fs::path& target) {
    const fs::path folder = FolderOf(target);
    const std::string prefix = TemporaryPrefix(target);
    std::vector<std::string> leftovers;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::optional<pid_t> owner = TemporaryOwner(entry->d_name, prefix);
            if (!owner || *owner == ::getpid()) continue;
            if (::kill(*owner, 0) == 0 || errno != ESRCH) continue;
            leftovers.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    for (const std::string& name : leftovers) {
        const fs::path path = folder / name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
    }
}

// The file a save to path writes: path itself, or the file a symbolic link
// there names (through any chain of links, and whether or not that file
// exists yet), so that the link stays a link.  Nothing when the links go
// round in a circle.
std::optional<fs::path> SaveTarget(const fs::path& path) {
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= link.size()) return std::nullopt;
        link.resize(static_cast<std::size_t>(length));
        const fs::path next(link);
        target = next.is_absolute() ? next : FolderOf(target) / next;
    }
    return std::nullopt;
}

// Makes the rename itself durable; a failure here cannot undo the rename,
// so it is not reported.
void SyncFolder(const fs::path& target) {
    FileDescriptor dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen()) ::fsync(dir.Get());
}

RosterFileStatus WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    if (path.filename().empty()) return RosterFileStatus::CannotWrite;
    const std::optional<fs::path> resolved = SaveTarget(path);
    if (!resolved || resolved->filename().empty()) return RosterFileStatus::CannotWrite;
    const fs::path& target = *resolved;

    // The rename needs only the folder's permission, so what a write in
    // place would refuse is refused here: a file the user may not write, and
    // anything but a regular file (a folder, a named pipe, a device, a
    // socket), which is looked at but never opened.
    struct stat old {};
    const bool replaces = ::lstat(target.c_str(), &old) == 0;
    if (!replaces && errno != ENOENT) return RosterFileStatus::CannotWrite;
    if (replaces &&
        (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        return RosterFileStatus::CannotWrite;

    RemoveLeftovers(target);
    fs::path temporaryPath;
    FileDescriptor file = CreateTemporaryBeside(target, temporaryPath);
    if (!file.IsOpen()) return RosterFileStatus::CannotWrite;
    TemporaryFile temporary(temporaryPath);

    // A file that is replaced keeps its owner and group where the process
    // may set them (the group alone where only that is allowed), then its
    // mode: a change of owner clears the set-id bits.
    if (replaces) {
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(file.Get(), old.st_uid, old.st_gid) != 0) {
            // Where even the group is refused, the file keeps the process's.
            [[maybe_unused]] const int groupSet =
                ::fchown(file.Get(), static_cast<uid_t>(-1), old.st_gid);
        }
        ::fchmod(file.Get(), old.st_mode & 07777);
    }

    if (!WriteAll(file.Get(), bytes) || ::fsync(file.Get()) != 0 || !file.Close())
        return RosterFileStatus::CannotWrite;
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0)
        return RosterFileStatus::CannotWrite;
    temporary.Release();
    SyncFolder(target);
    return RosterFileStatus::Ok;
}

// A count in full-width digits, as the messages write numbers.
std::string FullWidthNumber(std::size_t n) {
    static const char* const digits[] = {"０", "１", "２", "３", "４",
                                         "５", "６", "７", "８", "９"};
    std::string text;
    for (const char c : std::to_string(n)) text += digits[c - '0'];
    return text;
}

}  // namespace

std::string RosterFileMessage(RosterFileStatus status, std::size_t memberLines) {
    switch (status) {
        case RosterFileStatus::Ok:
            return "";
        case RosterFileStatus::CannotRead:
            return "ファイルを読み込めません";
        case RosterFileStatus::TooLarge:
            return "ファイルが大き過ぎるため開けません";
        case RosterFileStatus::Empty:
        case RosterFileStatus::NoMarker:
            return "このデータは開けません";
        case RosterFileStatus::TooManyMembers:
            return "このファイルにはメンバーの行が" + FullWidthNumber(memberLines) +
                   "行あります。４０行を超えるファイルは開けません（空の行も１行と数えます）";
        case RosterFileStatus::CannotWrite:
            return "ファイルに保存出来ません";
        case RosterFileStatus::BadFileName:
            return "ファイル名に扱えない文字が含まれています";
    }
    return "";
}

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
    bytes.append(kMarker).append(kLineEnd);
    for (const std::string& line : members) bytes.append(line).append(kLineEnd);
    return bytes;
}

RosterFileStatus LoadRoster(TournamentState& state, const fs::path& path,
                            std::size_t* memberLines) {
    std::string bytes;
    if (const RosterFileStatus read = ReadFileBytes(path, bytes); read != RosterFileStatus::Ok)
        return read;
    RosterParseResult parsed = ReadRosterBytes(bytes);
    if (memberLines) *memberLines = parsed.memberLines;
    if (parsed.status != RosterFileStatus::Ok) return parsed.status;
    state.RosterList = std::move(parsed.members);
    state.CurrentFileName = path.string();
    return RosterFileStatus::Ok;
}

RosterFileStatus SaveRoster(TournamentState& state, const fs::path& path) {
    const RosterFileStatus status = WriteFileAtomically(path, FormatRosterFile(state.RosterList));
    if (status == RosterFileStatus::Ok) state.CurrentFileName = path.string();
    return status;
}

}  // namespace tovi
