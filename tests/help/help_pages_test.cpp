// The guide's pages: listed in the project and the contents, with source
// lines short enough to read as source, and prepared so that each paragraph
// becomes one line that the CHM viewer wraps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "help_breaks.h"

namespace tovi::help {
namespace {

const std::string kB = "<font size=\"1\"> </font>";

TEST(HelpLineBreaks, GoWhereAJapaneseLineMayBreak) {
    struct Case {
        const char* in;
        std::string out;
    };
    const Case cases[] = {
        // after a phrase's punctuation, and where hiragana end a word
        {"名簿を作り、保存します。次へ",
         "名簿を" + kB + "作り、" + kB + "保存します。" + kB + "次へ"},
        // never before what may not begin a line, nor inside a kana run
        {"ありがとう。」", "ありがとう。」"},
        {"ことを「開く」と", "ことを" + kB + "「開く」" + kB + "と"},
        {"ちょっと", "ちょっと"},
        // not next to a tag, not inside a tag, <pre> or <title>
        {"を<b>押す</b>と", "を<b>押す</b>と"},
        {"<a title=\"名簿を見る\">", "<a title=\"名簿を見る\">"},
        {"<pre>作成、名簿</pre>", "<pre>作成、名簿</pre>"},
        {"<TITLE>名簿を作る</TITLE>を", "<TITLE>名簿を作る</TITLE>を"},
        // half-width text is left to the viewer's own wrapping
        {"A, B. C", "A, B. C"},
        {"PDF ファイルに出力", "PDF ファイルに" + kB + "出力"},
        // a paragraph's line ends go between Japanese, through tags too
        {"名簿を\n  作ります。", "名簿を" + kB + "作ります。"},
        {"押す</b>\nと", "押す</b>と"},
        {"A\nB", "A\nB"},
        {"</p>\n<p>", "</p>\n<p>"},
        {"<pre>作成\n山田</pre>", "<pre>作成\n山田</pre>"},
    };
    for (const Case& c : cases) EXPECT_EQ(WithLineBreaks(c.in), c.out) << c.in;
    EXPECT_EQ(JoinLines("名簿を\n作ります。\n次に"), "名簿を作ります。次に");
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
        const std::string prepared = WithLineBreaks(page);
        for (auto it = std::sregex_iterator(prepared.begin(), prepared.end(), block);
             it != std::sregex_iterator(); ++it)
            EXPECT_EQ(it->str().find('\n'), std::string::npos)
                << name << ": " << it->str().substr(0, 80);
    }
    EXPECT_GE(pages, 7);
}

// The build lists the guide's files by name: a file added to the folder but
// not to the list would be left out of Tovihlp.chm without a word.
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
