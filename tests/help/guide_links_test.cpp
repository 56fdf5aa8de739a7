// The guide as a reader walks it: 前へ/次へ follow the contents, links and
// pictures name files of the guide, and every picture is shown, packed into
// the help file and described for a reader who cannot see it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace tovi::help {
namespace {

std::filesystem::path GuideFolder() {
    const char* data = std::getenv("TOVI_TEST_DATA");
    return std::filesystem::path(data ? data : "tests") / ".." / "docs" / "help";
}

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first group of every match of `pattern` in `text`, in order.
std::vector<std::string> Matches(const std::string& text, const std::string& pattern) {
    const std::regex re(pattern);
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it)
        found.push_back((*it)[1].str());
    return found;
}

TEST(HelpGuideLinks, PreviousAndNextFollowTheContents) {
    const auto folder = GuideFolder();
    const std::vector<std::string> pages =
        Matches(Read(folder / "toc.hhc"), R"re(name="Local" value="([^"]+)")re");
    ASSERT_GE(pages.size(), 10u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string page = Read(folder / pages[i]);
        const std::vector<std::string> nav = Matches(page, R"re(<div class="nav">(.*)</div>)re");
        ASSERT_EQ(nav.size(), 1u) << pages[i];
        struct Link {
            const char* label;
            std::string expected;  // empty: no such link
        };
        const Link links[] = {
            {"前へ", i > 0 ? pages[i - 1] : ""},
            {"次へ", i + 1 < pages.size() ? pages[i + 1] : ""},
        };
        for (const Link& link : links) {
            const std::vector<std::string> target =
                Matches(nav[0], std::string(link.label) + R"re(: <a href="([^"]+)")re");
            EXPECT_EQ(target.empty() ? "" : target[0], link.expected)
                << pages[i] << " " << link.label;
        }
    }
}

TEST(HelpGuideLinks, NameFilesOfTheGuideAndEveryPictureIsShownAndPacked) {
    const auto folder = GuideFolder();
    const std::string project = Read(folder / "tovihlp.hhp");
    std::vector<std::string> shown;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".html") continue;
        const std::string name = entry.path().filename().string();
        const std::string page = Read(entry.path());
        for (const std::string& target : Matches(page, R"re(href="([^"#:]+)["#])re"))
            EXPECT_TRUE(std::filesystem::exists(folder / target)) << name << " -> " << target;
        for (const std::string& image : Matches(page, R"re(<img ([^>]*)>)re")) {
            EXPECT_NE(image.find("alt=\""), std::string::npos) << name << ": " << image;
            const std::vector<std::string> source = Matches(image, R"re(src="([^"]+)")re");
            ASSERT_EQ(source.size(), 1u) << name << ": " << image;
            shown.push_back(source[0]);
            EXPECT_TRUE(std::filesystem::exists(folder / source[0])) << name << ": " << source[0];
            EXPECT_NE(project.find("\n" + source[0] + "\n"), std::string::npos)
                << source[0] << " not in the project: left out of the help file";
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".png") continue;
        const std::string name = entry.path().filename().string();
        EXPECT_NE(std::find(shown.begin(), shown.end(), name), shown.end())
            << name << " is shown on no page";
    }
    EXPECT_GE(shown.size(), 9u);
}

}  // namespace
}  // namespace tovi::help
