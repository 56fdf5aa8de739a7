// Reading and replacing files on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>
#include <system_error>
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

// Creates a new, empty file beside target with a name no one else uses.  The
// mode 0666 lets the process's umask decide, as for any new file.
FileDescriptor CreateTemporaryBeside(const fs::path& target, fs::path& created) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = NextTemporaryPath(target, static_cast<std::uint32_t>(::getpid()));
        FileDescriptor fd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.IsOpen()) {
            created = std::move(candidate);
            return fd;
        }
        if (errno != EEXIST) break;
    }
    return FileDescriptor();
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
            const std::optional<std::uint32_t> owner = TemporaryOwner(entry->d_name, prefix);
            if (!owner || static_cast<pid_t>(*owner) == ::getpid()) continue;
            if (::kill(static_cast<pid_t>(*owner), 0) == 0 || errno != ESRCH) continue;
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

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    if (path.filename().empty()) return false;
    const std::optional<fs::path> resolved = SaveTarget(path);
    if (!resolved || resolved->filename().empty()) return false;
    const fs::path& target = *resolved;

    // The rename needs only the folder's permission, so what a write in
    // place would refuse is refused here: a file the user may not write, and
    // anything but a regular file (a folder, a named pipe, a device, a
    // socket), which is looked at but never opened.
    struct stat old {};
    const bool replaces = ::lstat(target.c_str(), &old) == 0;
    if (!replaces && errno != ENOENT) return false;
    if (replaces &&
        (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0))
        return false;

    // Leftovers are cleared only beside a file that is there: with the
    // target missing, a leftover may hold the only copy of its contents.
    if (replaces) RemoveLeftovers(target);
    fs::path temporaryPath;
    FileDescriptor file = CreateTemporaryBeside(target, temporaryPath);
    if (!file.IsOpen()) return false;
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

    if (!WriteAll(file.Get(), bytes) || ::fsync(file.Get()) != 0 || !file.Close()) return false;
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) return false;
    temporary.Release();
    SyncFolder(target);
    return true;
}

}  // namespace

bool ReadRegularFile(const fs::path& path, std::size_t limit, std::string& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.IsOpen()) return false;
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;

    bytes.clear();
    char buffer[64 * 1024];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

bool ReplaceFileContents(const fs::path& path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes);
}

}  // namespace tovi
