#include "scoresheet/score_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/int_conversion.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using test::CallKind;
using test::LineCall;
using test::RecordingSurface;

constexpr int kHoleNumberY = 219;

class ScoreSheetTest : public ::testing::Test {
protected:
    ScoreSheetTest() {
        for (int k = 0; k < 10; ++k) {
            state.rosterTable[k][0] = Utf8ToCp932("選手" + std::to_string(k));
            state.rosterTable[k][1] = Utf8ToCp932("チーム" + std::to_string(k));
        }
        state.groupList[1] = {"3", "0", "7", "1", "2", "5"};
        state.groupList[2] = {"4", "6", "8", "9"};
    }

    PageSize Run() { return DrawScoreSheet(surface, state, settings, scale); }

    // Texts drawn in the name column (x 44) and the team place (x 52), by y.
    std::vector<std::string> TextsAt(int x) const {
        std::vector<std::string> out;
        for (const auto& t : surface.texts)
            if (t.x == x) out.push_back(std::to_string(t.y) + ":" + Cp932ToUtf8(t.text));
        return out;
    }
    std::vector<std::string> HoleNumbers() const {
        std::vector<std::string> out;
        for (const auto& t : surface.texts)
            if (t.y == kHoleNumberY) out.push_back(t.text);
        return out;
    }

    TournamentState state;
    ScoreSheetSettings settings = DefaultScoreSheetSettings();
    SheetScale scale{kPreviewScaleX, kPreviewScaleY};
    RecordingSurface surface;
};

TEST(ScoreSheetSettings, DefaultsAreTheStartingTexts) {
    const ScoreSheetSettings s = DefaultScoreSheetSettings();
    EXPECT_EQ(s.title, Utf8ToCp932("\u3000\u3000\u3000\u3000\u3000楓林会スコア表"));
    EXPECT_EQ(s.meetingName, Utf8ToCp932("秋季親睦会"));
    EXPECT_EQ(s.course, Utf8ToCp932("市民公園グラウンド"));
    for (const auto* text : {&s.year, &s.month, &s.day, &s.holeCount}) EXPECT_EQ(*text, "10");
    EXPECT_EQ(s.groupNumber, "1");
    EXPECT_EQ(s.startHole, "1");
    EXPECT_FALSE(s.hideHoleNumbers);
}

TEST(ScoreSheetScale, PrinterFactorsAndPageSizes) {
    const SheetScale both600 = PrintScale(600, 600);
    EXPECT_DOUBLE_EQ(both600.x, 5.46);
    EXPECT_DOUBLE_EQ(both600.y, 6.24);
    EXPECT_EQ(SheetPageSize(both600.x, both600.y), (PageSize{6633, 4461}));
    const SheetScale mixed = PrintScale(300, 600);
    EXPECT_DOUBLE_EQ(mixed.x, 2.73);
    EXPECT_DOUBLE_EQ(mixed.y, 6.24);
    EXPECT_EQ(SheetPageSize(kPreviewScaleX, kPreviewScaleY), (PageSize{989, 657}));
}

TEST_F(ScoreSheetTest, WorkedExampleAtPreviewScale) {
    EXPECT_EQ(Run(), (PageSize{989, 657}));
    const struct {
        const char* text;
        int x, y, height;
    } expected[] = {
        {"\u3000\u3000\u3000\u3000\u3000楓林会スコア表", 309, 92, 25},
        {"【大会名】", 40, 142, 14},
        {"秋季親睦会", 109, 142, 14},
        {"【ホール数】", 312, 168, 14},
        {"10", 402, 168, 14},
        {"年", 870, 165, 14},
        {"氏　名", 71, 238, 14},
        {"ホール番号", 122, 213, 14},
        {"選手3", 44, 288, 20},
        {"チーム3", 52, 270, 13},
        {"実打数", 756, 224, 12},
        {"一打", 816, 224, 12},
        {"二打", 871, 224, 12},
        {"合計", 926, 224, 12},
    };
    for (const auto& e : expected) {
        const auto* call = surface.FindText(e.text);
        ASSERT_NE(call, nullptr) << e.text;
        EXPECT_EQ(call->x, e.x) << e.text;
        EXPECT_EQ(call->y, e.y) << e.text;
        EXPECT_EQ(call->height, e.height) << e.text;
    }
    // Texts that repeat elsewhere in the header: the year and the first hole number.
    const auto log = surface.TextLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "854,165:10"), log.end());
    const auto firstHole = std::find_if(surface.texts.begin(), surface.texts.end(),
                                        [](const auto& t) { return t.y == kHoleNumberY; });
    ASSERT_NE(firstHole, surface.texts.end());
    EXPECT_EQ(firstHole->x, 216);
    EXPECT_EQ(firstHole->text, "1");
    EXPECT_EQ(firstHole->height, 22);

    // The blank page comes first, white on white; every text is black on
    // white in the sheet face.
    ASSERT_FALSE(surface.order.empty());
    EXPECT_EQ(surface.order.front(), CallKind::Rect);
    ASSERT_EQ(surface.rects.size(), 1u);
    const auto& page = surface.rects[0];
    EXPECT_EQ((std::vector{page.left, page.top, page.right, page.bottom}),
              (std::vector{0, 0, 989, 657}));
    EXPECT_EQ(page.pen, kWhite);
    EXPECT_EQ(page.brush, kWhite);
    for (const auto& t : surface.texts) {
        EXPECT_EQ(t.face, Utf8ToCp932("ＭＳ ゴシック"));
        EXPECT_EQ(t.color, kBlack);
        EXPECT_EQ(t.background, kWhite);
    }
}

TEST_F(ScoreSheetTest, TotalsCaptionsFollowTheLayoutVariant) {
    const struct {
        const char* holes;
        std::vector<int> x;
    } cases[] = {{"10", {756, 816, 871, 926}},
                 {"1", {756, 816, 871, 926}},
                 {"11", {782, 835, 883, 931}},
                 {"15", {782, 835, 883, 931}}};
    for (const auto& c : cases) {
        surface.Clear();
        settings.holeCount = c.holes;
        EXPECT_EQ(Run(), (PageSize{989, 657})) << c.holes;
        std::vector<int> x;
        for (const char* caption : {"実打数", "一打", "二打", "合計"}) {
            const auto* call = surface.FindText(caption);
            ASSERT_NE(call, nullptr);
            EXPECT_EQ(call->y, 224);
            x.push_back(call->x);
        }
        EXPECT_EQ(x, c.x) << c.holes;
    }
}

TEST_F(ScoreSheetTest, RulingOfTenHoleColumns) {
    Run();
    std::vector<LineCall> expected;
    const auto add = [&](int x1, int y1, int x2, int y2, int pen) {
        expected.push_back({x1, y1, x2, y2, pen, kBlack});
    };
    add(36, 202, 968, 202, 1);
    add(36, 264, 968, 264, 1);
    for (int y : {326, 388, 450, 512, 574}) add(36, y, 968, y, 0);
    add(36, 636, 968, 636, 1);
    for (int x : {36, 198, 748, 968}) add(x, 202, x, 636, 1);
    for (int x : {253, 308, 363, 418, 473, 528, 583, 638, 693, 748, 803, 858, 913})
        add(x, 202, x, 636, 0);
    add(36, 202, 198, 264, 0);
    add(253, 264, 198, 326, 0);
    add(308, 264, 198, 388, 0);
    add(363, 264, 198, 450, 0);
    add(418, 264, 198, 512, 0);
    add(473, 264, 198, 574, 0);
    add(528, 264, 198, 636, 0);
    add(583, 264, 253, 636, 0);
    add(638, 264, 308, 636, 0);
    add(693, 264, 363, 636, 0);
    add(748, 264, 418, 636, 0);
    add(748, 326, 473, 636, 0);
    add(748, 388, 528, 636, 0);
    add(748, 450, 583, 636, 0);
    add(748, 512, 638, 636, 0);
    add(748, 574, 693, 636, 0);
    EXPECT_EQ(surface.lines, expected);
}

TEST_F(ScoreSheetTest, RulingOfTwelveHoleColumns) {
    settings.holeCount = "11";
    Run();
    // 8 horizontals, 4 thick and 15 thin verticals, the heading split and 17 diagonals.
    ASSERT_EQ(surface.lines.size(), 45u);
    EXPECT_EQ(surface.lines[0], (LineCall{36, 202, 966, 202, 1, kBlack}));
    EXPECT_EQ(surface.lines[10], (LineCall{774, 202, 774, 636, 1, kBlack}));
    EXPECT_EQ(surface.lines[12], (LineCall{246, 202, 246, 636, 0, kBlack}));
    EXPECT_EQ(surface.lines[34], (LineCall{534, 264, 246, 636, 0, kBlack}));
    EXPECT_EQ(surface.lines.back(), (LineCall{774, 574, 726, 636, 0, kBlack}));
}

TEST_F(ScoreSheetTest, HoleNumbers) {
    using V = std::vector<std::string>;
    const struct {
        const char* holes;
        const char* start;
        bool hide;
        V numbers;
        const char* holesShown;  // settings.holeCount afterwards, drawn in the header
    } cases[] = {
        {"10", "1", false, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, "10"},
        {"8", "3", false, {"3", "4", "5", "6", "7", "8", "1", "2"}, "8"},
        {"10", "12", false, {"12", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "10"},
        {"10", "0", false, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, "10"},
        {"11", "1", false, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, "11"},
        {"15", "1", false, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}, "12"},
        {"12", "11", false, {"11", "12", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, "12"},
        {"0", "1", false, {}, "0"},
        {"-3", "1", false, {}, "-3"},
        {"10", "1", true, {}, "10"},
        {"10", "", true, {}, "10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.holes) + " from " + c.start);
        surface.Clear();
        settings.holeCount = c.holes;
        settings.startHole = c.start;
        settings.hideHoleNumbers = c.hide;
        EXPECT_NO_THROW(Run());
        EXPECT_EQ(HoleNumbers(), c.numbers);
        EXPECT_EQ(SheetHoleCount(c.holes), c.holesShown);
        const auto log = surface.TextLog();
        EXPECT_NE(std::find(log.begin(), log.end(), std::string("402,168:") + c.holesShown),
                  log.end());
        EXPECT_NE(std::find(log.begin(), log.end(), std::string("668,168:") + c.start), log.end());
    }
    // Columns step by the cell width of the variant.
    const auto xs = [&] {
        std::vector<int> x;
        for (const auto& t : surface.texts)
            if (t.y == kHoleNumberY) x.push_back(t.x);
        return x;
    };
    surface.Clear();
    settings = DefaultScoreSheetSettings();
    Run();
    EXPECT_EQ(xs(), (std::vector{216, 271, 326, 381, 436, 491, 546, 601, 656, 711}));
    surface.Clear();
    settings.holeCount = "12";
    Run();
    EXPECT_EQ(xs(), (std::vector{216, 264, 312, 360, 408, 456, 504, 552, 600, 648, 696, 744}));
}

TEST_F(ScoreSheetTest, EachGroupStartsAtItsOwnHoleWithPerGroupStartHoles) {
    settings.holeCount = "8";
    settings.startHole = "4";
    settings.startPerGroup = true;
    settings.groupStartHoles = {1, 7, 3, 5, 6, 2};
    const struct {
        const char* group;
        const char* startShown;  // in the header before 番ホールスタート
        std::vector<std::string> numbers;
    } cases[] = {
        {"1", "1", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"2", "7", {"7", "8", "1", "2", "3", "4", "5", "6"}},
        {"6", "2", {"2", "3", "4", "5", "6", "7", "8", "1"}},
        // No such group: the start-hole box serves, as without 組ごと.
        {"7", "4", {"4", "5", "6", "7", "8", "1", "2", "3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        surface.Clear();
        settings.groupNumber = c.group;
        Run();
        EXPECT_EQ(HoleNumbers(), c.numbers);
        const auto log = surface.TextLog();
        EXPECT_NE(std::find(log.begin(), log.end(), std::string("668,168:") + c.startShown),
                  log.end());
    }
    // What the results take: every group's start, none when numbers are hidden.
    EXPECT_EQ(SheetStartHoles(settings), (StartHoles{true, {1, 7, 3, 5, 6, 2}}));
    settings.startPerGroup = false;
    EXPECT_EQ(SheetStartHoles(settings), (StartHoles{false, {4, 4, 4, 4, 4, 4}}));
    settings.startHole = "x";
    EXPECT_EQ(SheetStartHoles(settings), StartHoles{});
    settings.startPerGroup = true;
    settings.hideHoleNumbers = true;
    EXPECT_EQ(SheetStartHoles(settings), (StartHoles{true, {}}));
}

TEST_F(ScoreSheetTest, NamesOfTheChosenGroup) {
    using V = std::vector<std::string>;
    const V names1 = {"288:選手3", "350:選手0", "412:選手7", "474:選手1", "536:選手2", "598:選手5"};
    const V teams1 = {"270:チーム3", "332:チーム0", "394:チーム7",
                      "456:チーム1", "518:チーム2", "580:チーム5"};
    const struct {
        const char* group;
        V names;
        V teams;
    } cases[] = {
        {"1", names1, teams1},
        {"01", names1, teams1},
        {"2",
         {"288:選手4", "350:選手6", "412:選手8", "474:選手9"},
         {"270:チーム4", "332:チーム6", "394:チーム8", "456:チーム9"}},
        {"3", {}, {}},
        {"7", {}, {}},
        {"0", {}, {}},
        {"-1", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        surface.Clear();
        settings.groupNumber = c.group;
        EXPECT_NO_THROW(Run());
        EXPECT_EQ(TextsAt(44), c.names);
        EXPECT_EQ(TextsAt(52), c.teams);
        // The header shows the number as typed.
        const auto log = surface.TextLog();
        EXPECT_NE(std::find(log.begin(), log.end(), std::string("597,168:") + c.group), log.end());
        EXPECT_NE(surface.FindText("合計"), nullptr);
    }
    EXPECT_EQ(state.groupList[1], (V{"3", "0", "7", "1", "2", "5"}));
}

TEST_F(ScoreSheetTest, PositionsWithoutARosterRowDrawEmptyTexts) {
    state.rosterTable[12] = {};
    state.groupList[3] = {"12", "280", "-1", "x", "2147483647", "1"};
    settings.groupNumber = "3";
    EXPECT_NO_THROW(Run());
    EXPECT_EQ(TextsAt(44),
              (std::vector<std::string>{"288:", "350:", "412:", "474:", "536:", "598:選手1"}));
    EXPECT_EQ(TextsAt(52).back(), "580:チーム1");
}

TEST_F(ScoreSheetTest, FailedConversionStopsWhereItStands) {
    const struct {
        const char* holes;
        const char* group;
        const char* start;
        const char* offending;
        std::size_t lines;
        bool header, names;
    } cases[] = {
        {"", "1", "1", "", 0, false, false},    {"1O", "1", "1", "1O", 0, false, false},
        {"10", "a", "1", "a", 41, true, false}, {"10", "", "1", "", 41, true, false},
        {"10", "1", "", "", 41, true, true},    {"10", "1", "-", "-", 41, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.holes) + "/" + c.group + "/" + c.start);
        surface.Clear();
        settings.holeCount = c.holes;
        settings.groupNumber = c.group;
        settings.startHole = c.start;
        try {
            Run();
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Text(), c.offending);
        }
        EXPECT_EQ(surface.rects.size(), 1u);  // the blank page always
        EXPECT_EQ(surface.lines.size(), c.lines);
        EXPECT_EQ(surface.FindText("【大会名】") != nullptr, c.header);
        EXPECT_EQ(surface.FindText("日") != nullptr, c.header);
        EXPECT_EQ(surface.FindText("選手3") != nullptr, c.names);
        EXPECT_EQ(surface.texts.empty(), !c.header);
        EXPECT_TRUE(HoleNumbers().empty());
        EXPECT_EQ(surface.FindText("実打数"), nullptr);
    }
}

TEST_F(ScoreSheetTest, PrinterScaleFillsThePrinterPage) {
    scale = PrintScale(600, 600);
    EXPECT_EQ(Run(), (PageSize{6633, 4461}));
    EXPECT_EQ(surface.rects.at(0).right, 6633);
    EXPECT_EQ(surface.rects.at(0).bottom, 4461);
    // Pens: trunc(2 x 5.46) thick and trunc(5.46) thin.
    EXPECT_EQ(surface.lines.at(0).penWidth, 10);
    EXPECT_EQ(surface.lines.at(2).penWidth, 5);
    EXPECT_EQ(surface.FindText("合計")->height, 87);  // trunc(14 x 6.24)
}

}  // namespace
}  // namespace tovi
