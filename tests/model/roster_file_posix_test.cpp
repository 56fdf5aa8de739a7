// What a save does on POSIX systems beyond the common rules: permissions,
// owners, symbolic links, special files, a full disk, killed saves.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/roster_file.h"
#include "model/roster_file_fixture.h"

namespace tovi {

std::uint32_t roster_test::EndedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return static_cast<std::uint32_t>(child);
}

namespace {

using namespace roster_test;

TEST(RosterFile, SaveReplacesAnExistingFileAndKeepsItsPermissions) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    WriteBytes(path, std::string(5000, 'x'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TournamentState state;
    state.rosterList = {"a", "b"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), kMarker + "\r\na\r\nb\r\n");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.Entries(), std::set<fs::path>{"roster.txt"});
}

TEST(RosterFile, SaveThroughASymbolicLinkWritesTheFileItNames) {
    TempDir dir;
    WriteBytes(dir / "real.txt", "old");
    fs::create_symlink(dir / "real.txt", dir / "link.txt");
    TournamentState state;
    state.rosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, dir / "link.txt"), RosterFileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadBytes(dir / "real.txt"), kMarker + "\r\na\r\n");
    EXPECT_EQ(state.currentFileName, dir / "link.txt");
}

// Lowers the largest file size this process may write, so that writing the
// temporary file fails part way; restores the limit and the signal after.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // write fails with EFBIG instead
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lowered = old_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

TEST(RosterFile, SaveThatFailsWhileWritingKeepsTheOldFile) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    TournamentState state;
    state.rosterList = {"old"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    const std::string before = ReadBytes(path);

    state.rosterList = Members(40);
    state.currentFileName = "/previous/roster.txt";
    RosterFileStatus status;
    {
        FileSizeLimit limit(64);
        status = SaveRoster(state, path);
    }
    EXPECT_EQ(status, RosterFileStatus::CannotWrite);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(state.currentFileName, "/previous/roster.txt");
    EXPECT_EQ(dir.Entries(), std::set<fs::path>{"roster.txt"});
}

TEST(RosterFile, SaveRemovesTheTemporaryFilesOfKilledSavesOfThatRoster) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    WriteBytes(path, "old");
    const std::string dead = std::to_string(EndedProcessId());
    const std::string alive = std::to_string(::getppid());
    const std::set<fs::path> kept = {
        "roster.txt",
        ".roster.txt.tmp-" + alive + "-0",  // its save may still be running
        ".other.txt.tmp-" + dead + "-0",    // another roster's
        ".roster.txt.tmp-" + dead + "-x",   // not a name a save makes
        ".roster.txt.tmp-" + dead,
        "roster.txt.tmp-" + dead + "-0",
    };
    for (const auto& name : kept)
        if (name != "roster.txt") WriteBytes(dir / name, "keep");
    WriteBytes(dir / (".roster.txt.tmp-" + dead + "-0"), "left");
    WriteBytes(dir / (".roster.txt.tmp-" + dead + "-17"), "left");
    fs::create_directory(dir / (".roster.txt.tmp-" + dead + "-5"));  // not a file: kept

    TournamentState state;
    state.rosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    std::set<fs::path> expected = kept;
    expected.insert(".roster.txt.tmp-" + dead + "-5");
    EXPECT_EQ(dir.Entries(), expected);
    EXPECT_EQ(ReadBytes(path), kMarker + "\r\na\r\n");
}

TEST(RosterFile, SaveFollowsSymbolicLinksWhetherOrNotTheirTargetExists) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links;  // name, what it names
        std::string written;                                     // the file that gets the roster
    } cases[] = {
        {"to a file not there yet", {{"link.txt", "new.txt"}}, "new.txt"},
        {"absolute, to a file not there yet", {{"link.txt", "@/new.txt"}}, "new.txt"},
        {"chain of links", {{"link.txt", "second"}, {"second", "sub/real.txt"}}, "sub/real.txt"},
        {"relative to the link's folder", {{"sub/link.txt", "../real.txt"}}, "real.txt"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        fs::create_directory(dir / "sub");
        for (const auto& [name, to] : c.links) {
            const std::string resolved = to[0] == '@' ? dir.Path().string() + to.substr(1) : to;
            fs::create_symlink(resolved, dir / name);
        }
        TournamentState state;
        state.rosterList = {"a"};
        const fs::path chosen = dir / c.links.front().first;
        ASSERT_EQ(SaveRoster(state, chosen), RosterFileStatus::Ok) << c.what;
        EXPECT_EQ(ReadBytes(dir / c.written), kMarker + "\r\na\r\n") << c.what;
        for (const auto& link : c.links) EXPECT_TRUE(fs::is_symlink(dir / link.first)) << c.what;
        EXPECT_EQ(state.currentFileName, chosen) << c.what;
    }
    TempDir dir;
    fs::create_symlink("b", dir / "a");
    fs::create_symlink("a", dir / "b");
    TournamentState state;
    EXPECT_EQ(SaveRoster(state, dir / "a"), RosterFileStatus::CannotWrite) << "circle of links";
}

TEST(RosterFile, SaveRefusesWhatIsNotARegularFileWithoutOpeningIt) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0666), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (dir / "socket.txt").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    fs::create_symlink("/dev/null", dir / "device.txt");
    const std::set<fs::path> before = dir.Entries();

    // Opening the named pipe for writing would block until a reader came.
    for (const char* name : {"pipe.txt", "socket.txt", "device.txt"}) {
        TournamentState state;
        state.rosterList = {"a"};
        state.currentFileName = "/previous/roster.txt";
        EXPECT_EQ(SaveRoster(state, dir / name), RosterFileStatus::CannotWrite) << name;
        EXPECT_EQ(state.currentFileName, "/previous/roster.txt") << name;
        EXPECT_EQ(dir.Entries(), before) << name;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.txt"));
    EXPECT_TRUE(fs::is_socket(dir / "socket.txt"));
    EXPECT_TRUE(fs::is_symlink(dir / "device.txt"));
    ::close(listener);
}

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// Runs body as an unprivileged user: directly when the tests do not run as
// root, else in a child process that has dropped to nobody (root may write
// any file, which would hide the refusals).  body returns an empty text on
// success, else what went wrong.
void AsUnprivilegedUser(const std::function<std::string()>& body) {
    if (::geteuid() != 0) {
        const std::string failure = body();
        EXPECT_EQ(failure, "");
        return;
    }
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string failure;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)
            failure = "could not drop to nobody";
        else
            failure = body();
        (void)!::write(pipeFds[1], failure.data(), failure.size());
        ::_exit(failure.empty() ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string failure;
    char buffer[512];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Gives the folder and what it holds to nobody when the tests run as root,
// so that the unprivileged user of AsUnprivilegedUser owns them.
void GiveToUnprivilegedUser(const fs::path& path) {
    if (::geteuid() != 0) return;
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0) << path;
}

TEST(RosterFile, SaveRefusesAFileTheUserMayNotWrite) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    const std::string bytes = kMarker + "\r\nold,1\r\n";
    WriteBytes(path, bytes);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    GiveToUnprivilegedUser(dir.Path());
    GiveToUnprivilegedUser(path);

    AsUnprivilegedUser([&]() -> std::string {
        TournamentState state;
        state.rosterList = {"new"};
        state.currentFileName = "/previous/roster.txt";
        if (SaveRoster(state, path) != RosterFileStatus::CannotWrite)
            return "the save was not refused";
        if (ReadBytes(path) != bytes) return "the file changed";
        if (state.currentFileName != "/previous/roster.txt") return "the file name changed";
        if (dir.Entries() != std::set<fs::path>{"roster.txt"}) return "a file was left beside";
        // The same folder takes a file the user may write.
        if (SaveRoster(state, dir / "other.txt") != RosterFileStatus::Ok)
            return "other.txt refused";
        return "";
    });
}

TEST(RosterFile, ReplacedFileKeepsItsModeOwnerAndGroup) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    // Root saving another user's roster leaves it that user's.
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    TournamentState state;
    state.rosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "the file was not replaced";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(ReadBytes(path), kMarker + "\r\na\r\n");
}

}  // namespace
}  // namespace tovi
