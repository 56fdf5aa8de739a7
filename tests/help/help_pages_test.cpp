// The guide's pages: listed in the project and the contents, with source
// lines short enough to read as source, and prepared so that each paragraph
// becomes one line without a space between two Japanese characters.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "help_lines.h"

namespace tovi::help {
namespace {

TEST(HelpJoinLines, JoinsJapaneseWithNothingAndTheRestWithASpace) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        // between Japanese: nothing, also through tags, the indent and blank lines
        {"名簿を\n  作ります。\n次に", "名簿を作ります。次に"},
        {"押す</b>\nと", "押す</b>と"},
        {"を\n<b>押す", "を<b>押す"},
        {"組み\r\n合わせ", "組み合わせ"},
        {"。</p>\n\n<p>名簿", "。</p><p>名簿"},
        {"１組６人まで）\n→", "１組６人まで）→"},
        // anything else: one space
        {"PDF\nファイル", "PDF ファイル"},
        {"ファイル\n  (PDF)", "ファイル (PDF)"},
        {"A\nB", "A B"},
        {"</p>\n<p>A", "</p> <p>A"},
        {"A \n  B", "A B"},
        {"名簿を \n作る", "名簿を 作る"},
        // the text itself as written: no marks where a line may break
        {"名簿を作り、保存します。「開く」と", "名簿を作り、保存します。「開く」と"},
        {"A, B. C", "A, B. C"},
        // <pre> and <title> keep their lines
        {"<pre>作成\n山田</pre>\nA", "<pre>作成\n山田</pre> A"},
        {"<TITLE>名簿\nを</TITLE>", "<TITLE>名簿\nを</TITLE>"},
    };
    for (const Case& c : cases) EXPECT_EQ(JoinLines(c.in), c.out) << c.in;
}

std::filesystem::path GuideFolder() {
    const char* data = std::getenv("TOVI_TEST_DATA");
    return std::filesystem::path(data ? data : "tests") / ".." / "docs" / "help";
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(HelpPages, AreListedShortLinedAndBecomeOneLineAParagraph) {
    const auto folder = GuideFolder();
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    const std::string project = Read(folder / "tovihlp.hhp");
    const std::string contents = Read(folder / "toc.hhc");
    const std::regex block(R"(<(p|li|td|th)\b[^>]*>([^<]|<(?!/\1>))*?</\1>)");
    int pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") continue;
        ++pages;
        const std::string name = entry.path().filename().string();
        const std::string page = Read(entry.path());
        EXPECT_NE(project.find(name + "\n"), std::string::npos) << name << " not in the project";
        EXPECT_NE(contents.find("\"" + name + "\""), std::string::npos)
            << name << " not in the contents";
        // Long source lines read as generated text to Debian's checks.
        std::size_t start = 0;
        for (std::size_t end; (end = page.find('\n', start)) != std::string::npos; start = end + 1)
            EXPECT_LE(end - start, 512u) << name << ": " << page.substr(start, 60);
        const std::string prepared = JoinLines(page);
        for (auto it = std::sregex_iterator(prepared.begin(), prepared.end(), block);
             it != std::sregex_iterator(); ++it)
            EXPECT_EQ(it->str().find('\n'), std::string::npos)
                << name << ": " << it->str().substr(0, 80);
    }
    EXPECT_GE(pages, 7);
}

// The build lists the guide's files by name: a file added to the folder but
// not to the list would be left out of the help window and Tovihlp.chm
// without a word.
TEST(HelpPages, AreAllListedInTheBuild) {
    const auto folder = GuideFolder();
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    const std::string build = Read(folder / ".." / ".." / "packaging" / "CMakeLists.txt");
    ASSERT_FALSE(build.empty());
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const std::string listed = "docs/help/" + name;
        const std::size_t at = build.find(listed);
        const char after = at == std::string::npos ? '\0' : build[at + listed.size()];
        EXPECT_TRUE(after == '\n' || after == ')') << name << " not in packaging/CMakeLists.txt";
    }
}

}  // namespace
}  // namespace tovi::help
