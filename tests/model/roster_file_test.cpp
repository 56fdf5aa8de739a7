#include "model/roster_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/member_line.h"
#include "model/roster_table.h"

namespace tovi {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kMarker = cp932::kRosterMarker;

// A fresh folder under the system's temporary folder, removed with all it
// holds at the end of the test.
class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tovi-roster-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& Path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }
    // The names of the entries of the folder.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    fs::path path_;
};

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A roster of n distinct member lines.
Lines Members(int n) {
    Lines lines;
    for (int i = 0; i < n; ++i)
        lines.push_back(MakeMemberLine("m" + std::to_string(i), Utf8ToCp932("東町"), cp932::kMale));
    return lines;
}

std::string Join(const Lines& lines, const std::string& end) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + end;
    return bytes;
}

// Some member lines that must survive a save and a load unchanged: Japanese
// text, quoted names, an empty team, bytes that are not valid CP932, a name
// that itself begins with the marker, an empty line.
Lines SampleRoster() {
    return {
        MakeMemberLine(Utf8ToCp932("山田　花子"), Utf8ToCp932("東町"), cp932::kFemale),
        MakeMemberLine("A B", "", cp932::kMale),
        MakeMemberLine("say \"hi\"", Utf8ToCp932("西町,北"), cp932::kMale),
        MakeMemberLine(Utf8ToCp932("作成太郎"), Utf8ToCp932("南町"), cp932::kMale),
        "\x80\xFF\x81,\xA0,\x81",
        "",
    };
}

TEST(SplitRosterLines, EndsLinesAtCrLfOrCrLfAndTextAtNul) {
    const struct {
        const char* what;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"nothing", "", {}},
        {"one line without an end", "a", {"a"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR", "a\rb\r", {"a", "b"}},
        {"text after the last end is a line", "a\r\nb", {"a", "b"}},
        {"empty lines inside stay", "a\r\n\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF is two line ends", "a\r\r\nb", {"a", "", "b"}},
        {"a line end alone is one empty line", "\r\n", {""}},
        {"mixed ends", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"NUL ends the text", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {"NUL first", std::string("\0a\r\n", 4), {}},
        {"NUL right after a line end", std::string("a\r\n\0", 4), {"a"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitRosterLines(c.bytes), c.lines) << c.what;
}

TEST(ReadRosterBytes, ChecksTheMarkerAndTheMemberCount) {
    const std::string crlf = "\r\n";
    const struct {
        const char* what;
        std::string bytes;
        RosterFileStatus status;
        Lines members;
    } cases[] = {
        {"marker alone", kMarker + crlf, RosterFileStatus::Ok, {}},
        {"marker without a line end", kMarker, RosterFileStatus::Ok, {}},
        {"marker and members",
         kMarker + crlf + "a" + crlf + "b" + crlf,
         RosterFileStatus::Ok,
         {"a", "b"}},
        {"marker with trailing text",
         kMarker + Utf8ToCp932("データ") + crlf + "a",
         RosterFileStatus::Ok,
         {"a"}},
        {"member beginning with the marker",
         kMarker + crlf + kMarker + ",x" + crlf,
         RosterFileStatus::Ok,
         {kMarker + ",x"}},
        {"bytes that are not CP932 kept",
         kMarker + crlf + "\x80\xFF\x81" + crlf,
         RosterFileStatus::Ok,
         {"\x80\xFF\x81"}},
        {"forty members", kMarker + crlf + Join(Members(40), crlf), RosterFileStatus::Ok,
         Members(40)},
        {"empty file", "", RosterFileStatus::Empty, {}},
        {"NUL at the start", std::string("\0", 1) + kMarker, RosterFileStatus::Empty, {}},
        {"no marker", "a,b\r\n", RosterFileStatus::NoMarker, {}},
        {"marker on line 2", crlf + kMarker + crlf, RosterFileStatus::NoMarker, {}},
        {"half the marker", kMarker.substr(0, 2) + crlf + "a", RosterFileStatus::NoMarker, {}},
        {"three bytes of the marker", kMarker.substr(0, 3), RosterFileStatus::NoMarker, {}},
        {"marker split by a line end",
         kMarker.substr(0, 2) + crlf + kMarker.substr(2),
         RosterFileStatus::NoMarker,
         {}},
        {"forty-one members",
         kMarker + crlf + Join(Members(41), crlf),
         RosterFileStatus::TooManyMembers,
         {}},
        {"forty members and an empty line",
         kMarker + crlf + Join(Members(40), crlf) + crlf,
         RosterFileStatus::TooManyMembers,
         {}},
    };
    for (const auto& c : cases) {
        const RosterParseResult result = ReadRosterBytes(c.bytes);
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_EQ(result.members, c.members) << c.what;
    }
}

TEST(ReadRosterBytes, RefusesMoreThanOneMebibyte) {
    std::string bytes = kMarker + "\r\n";
    bytes.resize(kMaxRosterFileBytes, 'a');
    EXPECT_EQ(ReadRosterBytes(bytes).status, RosterFileStatus::Ok);
    bytes += 'a';
    const RosterParseResult result = ReadRosterBytes(bytes);
    EXPECT_EQ(result.status, RosterFileStatus::TooLarge);
    EXPECT_TRUE(result.members.empty());
}

TEST(FormatRosterFile, WritesTheMarkerAndEndsEveryLineWithCrLf) {
    EXPECT_EQ(FormatRosterFile({}), kMarker + "\r\n");
    EXPECT_EQ(FormatRosterFile({"a", "", "b"}), kMarker + "\r\na\r\n\r\nb\r\n");
    const Lines roster = SampleRoster();
    EXPECT_EQ(ReadRosterBytes(FormatRosterFile(roster)).members, roster);
}

TEST(RosterFileMessage, GivesASentenceForEveryFailure) {
    EXPECT_EQ(RosterFileMessage(RosterFileStatus::Ok), "");
    EXPECT_EQ(RosterFileMessage(RosterFileStatus::NoMarker), "このデータは開けません");
    EXPECT_EQ(RosterFileMessage(RosterFileStatus::Empty), "このデータは開けません");
    std::set<std::string> others;
    for (const auto status : {RosterFileStatus::CannotRead, RosterFileStatus::TooLarge,
                              RosterFileStatus::TooManyMembers, RosterFileStatus::CannotWrite}) {
        const std::string message = RosterFileMessage(status);
        EXPECT_TRUE(TryUtf8ToCp932(message).has_value()) << message;
        EXPECT_NE(message, "");
        EXPECT_NE(message, "このデータは開けません");
        others.insert(message);
    }
    EXPECT_EQ(others.size(), 4u);
}

TEST(RosterFile, SaveThenLoadGivesTheSameLines) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    TournamentState saved;
    saved.RosterList = SampleRoster();
    ASSERT_EQ(SaveRoster(saved, path), RosterFileStatus::Ok);
    EXPECT_EQ(saved.CurrentFileName, path.string());
    EXPECT_EQ(saved.RosterList, SampleRoster());
    EXPECT_EQ(ReadBytes(path), FormatRosterFile(SampleRoster()));
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"roster.txt"});

    TournamentState loaded;
    ASSERT_EQ(LoadRoster(loaded, path), RosterFileStatus::Ok);
    EXPECT_EQ(loaded.RosterList, SampleRoster());
    EXPECT_EQ(loaded.CurrentFileName, path.string());

    // The quoted name and the empty team come back as typed.
    BlankRosterTable(loaded);
    ParseRoster(loaded);
    EXPECT_EQ(loaded.RosterTable[0][0], Utf8ToCp932("山田　花子"));
    EXPECT_EQ(loaded.RosterTable[1][0], "A B");
    EXPECT_EQ(loaded.RosterTable[1][1], "");
    EXPECT_EQ(loaded.RosterTable[1][2], cp932::kMale);
    EXPECT_EQ(loaded.RosterTable[2][0], "say \"hi\"");
    EXPECT_EQ(loaded.RosterTable[2][1], Utf8ToCp932("西町,北"));
}

TEST(RosterFile, EmptyRosterSavesTheMarkerLineAlone) {
    TempDir dir;
    TournamentState state;
    ASSERT_EQ(SaveRoster(state, dir / "empty.txt"), RosterFileStatus::Ok);
    EXPECT_EQ(ReadBytes(dir / "empty.txt"), kMarker + "\r\n");
    state.RosterList = {"old"};
    ASSERT_EQ(LoadRoster(state, dir / "empty.txt"), RosterFileStatus::Ok);
    EXPECT_TRUE(state.RosterList.empty());
}

TEST(RosterFile, LoadsEveryLineEndStyleAndStopsAtNul) {
    const Lines roster = SampleRoster();
    const struct {
        const char* what;
        std::string bytes;
        Lines members;
    } cases[] = {
        {"CR LF", Join({kMarker}, "\r\n") + Join(roster, "\r\n"), roster},
        {"LF", Join({kMarker}, "\n") + Join(roster, "\n"), roster},
        {"CR", Join({kMarker}, "\r") + Join(roster, "\r"), roster},
        {"no end on the last line", kMarker + "\r\na\r\nb", {"a", "b"}},
        {"NUL", kMarker + "\r\na\r\nb" + std::string("\0c\r\nd\r\n", 7), {"a", "b"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const fs::path path = dir / "in.txt";
        WriteBytes(path, c.bytes);
        TournamentState state;
        EXPECT_EQ(LoadRoster(state, path), RosterFileStatus::Ok) << c.what;
        EXPECT_EQ(state.RosterList, c.members) << c.what;
    }
}

TEST(RosterFile, RefusedLoadLeavesRosterAndFileNameAsTheyWere) {
    TempDir dir;
    fs::create_directory(dir / "folder.txt");
    std::string tooLarge = kMarker + "\r\n";
    tooLarge.resize(kMaxRosterFileBytes + 1, 'a');
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // nothing: the file is not written
        RosterFileStatus status;
    } cases[] = {
        {"missing.txt", std::nullopt, RosterFileStatus::CannotRead},
        {"folder.txt", std::nullopt, RosterFileStatus::CannotRead},
        {"empty.txt", "", RosterFileStatus::Empty},
        {"nul.txt", std::string("\0\r\n", 3), RosterFileStatus::Empty},
        {"nomarker.txt", Join(Members(3), "\r\n"), RosterFileStatus::NoMarker},
        {"many.txt", kMarker + "\r\n" + Join(Members(41), "\r\n"),
         RosterFileStatus::TooManyMembers},
        {"large.txt", tooLarge, RosterFileStatus::TooLarge},
    };
    for (const auto& c : cases) {
        if (c.bytes) WriteBytes(dir / c.name, *c.bytes);
        TournamentState state;
        state.RosterList = {"before,1", "before,2"};
        state.CurrentFileName = "/previous/roster.txt";
        EXPECT_EQ(LoadRoster(state, dir / c.name), c.status) << c.name;
        EXPECT_EQ(state.RosterList, (Lines{"before,1", "before,2"})) << c.name;
        EXPECT_EQ(state.CurrentFileName, "/previous/roster.txt") << c.name;
    }
}

TEST(RosterFile, SaveReplacesAnExistingFileAndKeepsItsPermissions) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    WriteBytes(path, std::string(5000, 'x'));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TournamentState state;
    state.RosterList = {"a", "b"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    EXPECT_EQ(ReadBytes(path), kMarker + "\r\na\r\nb\r\n");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"roster.txt"});
}

TEST(RosterFile, SaveThroughASymbolicLinkWritesTheFileItNames) {
    TempDir dir;
    WriteBytes(dir / "real.txt", "old");
    fs::create_symlink(dir / "real.txt", dir / "link.txt");
    TournamentState state;
    state.RosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, dir / "link.txt"), RosterFileStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadBytes(dir / "real.txt"), kMarker + "\r\na\r\n");
    EXPECT_EQ(state.CurrentFileName, (dir / "link.txt").string());
}

TEST(RosterFile, FailedSaveLeavesFileAndStateAsTheyWere) {
    TempDir dir;
    fs::create_directory(dir / "folder.txt");
    WriteBytes(dir / "folder.txt" / "inside", "keep");
    WriteBytes(dir / "plain", "plain");
    const struct {
        const char* what;
        fs::path path;
    } cases[] = {
        {"folder that does not exist", dir / "missing" / "roster.txt"},
        {"path is a folder", dir / "folder.txt"},
        {"path names no file", dir.Path() / ""},
        {"folder is a file", dir / "plain" / "roster.txt"},
    };
    for (const auto& c : cases) {
        TournamentState state;
        state.RosterList = {"a", "b"};
        state.CurrentFileName = "/previous/roster.txt";
        EXPECT_EQ(SaveRoster(state, c.path), RosterFileStatus::CannotWrite) << c.what;
        EXPECT_EQ(state.CurrentFileName, "/previous/roster.txt") << c.what;
        EXPECT_EQ(state.RosterList, (Lines{"a", "b"})) << c.what;
        EXPECT_EQ(dir.Entries(), (std::set<std::string>{"folder.txt", "plain"})) << c.what;
        EXPECT_EQ(ReadBytes(dir / "folder.txt" / "inside"), "keep");
        EXPECT_EQ(ReadBytes(dir / "plain"), "plain");
    }
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
    state.RosterList = {"old"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    const std::string before = ReadBytes(path);

    state.RosterList = Members(40);
    state.CurrentFileName = "/previous/roster.txt";
    RosterFileStatus status;
    {
        FileSizeLimit limit(64);
        status = SaveRoster(state, path);
    }
    EXPECT_EQ(status, RosterFileStatus::CannotWrite);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(state.CurrentFileName, "/previous/roster.txt");
    EXPECT_EQ(dir.Entries(), std::set<std::string>{"roster.txt"});
}

TEST(RosterFileMessage, TooManyMembersSaysHowManyLinesAndThatEmptyLinesCount) {
    // Forty members and one empty line: the empty line is a member line too.
    const RosterParseResult parsed =
        ReadRosterBytes(kMarker + "\r\n" + Join(Members(40), "\r\n") + "\r\n");
    EXPECT_EQ(parsed.status, RosterFileStatus::TooManyMembers);
    EXPECT_EQ(parsed.memberLines, 41u);
    EXPECT_EQ(RosterFileMessage(parsed.status, parsed.memberLines),
              "このファイルにはメンバーの行が４１行あります。"
              "４０行を超えるファイルは開けません（空の行も１行と数えます）");
    EXPECT_NE(RosterFileMessage(RosterFileStatus::TooManyMembers, 1234).find("１２３４行"),
              std::string::npos);

    TempDir dir;
    WriteBytes(dir / "many.txt",
               kMarker + "\r\n" + Join(Members(2), "\r\n") + std::string(50, '\n'));
    TournamentState state;
    std::size_t memberLines = 0;
    EXPECT_EQ(LoadRoster(state, dir / "many.txt", &memberLines), RosterFileStatus::TooManyMembers);
    EXPECT_EQ(memberLines, 52u);
}

// The process id of a process that has ended.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(RosterFile, SaveRemovesTheTemporaryFilesOfKilledSavesOfThatRoster) {
    TempDir dir;
    const fs::path path = dir / "roster.txt";
    WriteBytes(path, "old");
    const std::string dead = std::to_string(EndedProcess());
    const std::string alive = std::to_string(::getppid());
    const std::set<std::string> kept = {
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
    state.RosterList = {"a"};
    ASSERT_EQ(SaveRoster(state, path), RosterFileStatus::Ok);
    std::set<std::string> expected = kept;
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
        state.RosterList = {"a"};
        const fs::path chosen = dir / c.links.front().first;
        ASSERT_EQ(SaveRoster(state, chosen), RosterFileStatus::Ok) << c.what;
        EXPECT_EQ(ReadBytes(dir / c.written), kMarker + "\r\na\r\n") << c.what;
        for (const auto& link : c.links) EXPECT_TRUE(fs::is_symlink(dir / link.first)) << c.what;
        EXPECT_EQ(state.CurrentFileName, chosen.string()) << c.what;
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
    const std::set<std::string> before = dir.Entries();

    // Opening the named pipe for writing would block until a reader came.
    for (const char* name : {"pipe.txt", "socket.txt", "device.txt"}) {
        TournamentState state;
        state.RosterList = {"a"};
        state.CurrentFileName = "/previous/roster.txt";
        EXPECT_EQ(SaveRoster(state, dir / name), RosterFileStatus::CannotWrite) << name;
        EXPECT_EQ(state.CurrentFileName, "/previous/roster.txt") << name;
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
        state.RosterList = {"new"};
        state.CurrentFileName = "/previous/roster.txt";
        if (SaveRoster(state, path) != RosterFileStatus::CannotWrite)
            return "the save was not refused";
        if (ReadBytes(path) != bytes) return "the file changed";
        if (state.CurrentFileName != "/previous/roster.txt") return "the file name changed";
        if (dir.Entries() != std::set<std::string>{"roster.txt"}) return "a file was left beside";
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
    state.RosterList = {"a"};
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
