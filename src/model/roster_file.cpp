#include "model/roster_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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

// Reads the whole file, or MaxRosterFileBytes + 1 bytes of a larger one.
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
    while (bytes.size() <= MaxRosterFileBytes) {
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

// Creates a new, empty file beside target with a name no one else uses.  The
// mode 0666 lets the process's umask decide, as for any new file.
FileDescriptor CreateTemporaryBeside(const fs::path& target, fs::path& created) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Cut long names so that the temporary name stays within the limit
        // of a file name.
        std::string name(1, '.');
        name += target.filename().string().substr(0, 200);
        name += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
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

// Makes the rename itself durable; a failure here cannot undo the rename,
// so it is not reported.
void SyncFolder(const fs::path& target) {
    FileDescriptor dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen()) ::fsync(dir.Get());
}

RosterFileStatus WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    if (path.filename().empty()) return RosterFileStatus::CannotWrite;
    // Write through a symbolic link to the file it names, so that the link
    // stays a link.
    std::error_code ec;
    fs::path target = fs::canonical(path, ec);
    if (ec) target = path;

    fs::path temporaryPath;
    FileDescriptor file = CreateTemporaryBeside(target, temporaryPath);
    if (!file.IsOpen()) return RosterFileStatus::CannotWrite;
    TemporaryFile temporary(temporaryPath);

    // A file that is replaced keeps its permissions.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(file.Get(), old.st_mode & 07777);

    if (!WriteAll(file.Get(), bytes) || ::fsync(file.Get()) != 0 || !file.Close())
        return RosterFileStatus::CannotWrite;
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0)
        return RosterFileStatus::CannotWrite;
    temporary.Release();
    SyncFolder(target);
    return RosterFileStatus::Ok;
}

}  // namespace

std::string RosterFileMessage(RosterFileStatus status) {
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
            return "メンバーが４０名を超えているため開けません";
        case RosterFileStatus::CannotWrite:
            return "ファイルに保存出来ません";
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
    if (bytes.size() > MaxRosterFileBytes) return {RosterFileStatus::TooLarge, {}};
    std::vector<std::string> lines = SplitRosterLines(bytes);
    if (lines.empty()) return {RosterFileStatus::Empty, {}};
    // The first 4 bytes of line 1 are compared with the marker; a shorter
    // line is compared whole and so never matches.  Text after the marker
    // does not matter.
    if (lines.front().compare(0, kMarker.size(), kMarker) != 0)
        return {RosterFileStatus::NoMarker, {}};
    if (lines.size() - 1 > static_cast<std::size_t>(MemberCapacity))
        return {RosterFileStatus::TooManyMembers, {}};
    lines.erase(lines.begin());
    return {RosterFileStatus::Ok, std::move(lines)};
}

std::string FormatRosterFile(const std::vector<std::string>& members) {
    std::string bytes;
    bytes.append(kMarker).append(kLineEnd);
    for (const std::string& line : members) bytes.append(line).append(kLineEnd);
    return bytes;
}

RosterFileStatus LoadRoster(TournamentState& state, const fs::path& path) {
    std::string bytes;
    if (const RosterFileStatus read = ReadFileBytes(path, bytes); read != RosterFileStatus::Ok)
        return read;
    RosterParseResult parsed = ReadRosterBytes(bytes);
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
