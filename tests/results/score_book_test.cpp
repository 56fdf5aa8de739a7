#include "results/score_book.h"

#include <gtest/gtest.h>

#include "core/cp932.h"
#include "model/int_conversion.h"
#include "results/card_builder.h"

namespace tovi {
namespace {

const MemberKey kIchiro{Utf8ToCp932("一郎,T,男,0,0,0,0,0,"), 1};
const MemberKey kHanako{Utf8ToCp932("花子,T,女,0,0,0,0,0,"), 1};

TEST(ResultSheetHoles, CountsTheHolesAsTheSheetDoes) {
    const struct {
        const char* text;
        int holes;  // 0: refused
    } cases[] = {
        {"1", 1},   {"8", 8}, {"10", 10}, {"11", 11}, {"12", 12}, {"15", 12},
        {"99", 12}, {"0", 0}, {"-1", 0},  {"", 0},    {"x", 0},   {" 8", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.holes == 0) {
            try {
                SheetHoles(c.text);
                ADD_FAILURE() << "accepted";
            } catch (const ConversionError& error) {
                EXPECT_EQ(error.Text(), c.text);
            }
        } else {
            EXPECT_EQ(SheetHoles(c.text), c.holes);
        }
    }
}

TEST(ResultScoreBook, KnowsWhetherStrokesWouldBeLost) {
    enum Step { Enter, Empty, Refused, Settings, BadSettings, Save, Clear, Load, Restore };
    const struct {
        const char* name;
        std::vector<Step> steps;
        bool unsaved;
        std::size_t cards;
    } cases[] = {
        {"nothing", {}, false, 0},
        {"a stroke", {Enter}, true, 1},
        {"the stroke emptied again", {Enter, Empty}, false, 0},
        {"a refused stroke", {Refused}, false, 0},
        {"settings alone", {Settings}, false, 0},
        {"refused settings", {Enter, Save, BadSettings}, false, 1},
        {"saved", {Enter, Save}, false, 1},
        {"settings after saving", {Enter, Save, Settings}, true, 1},
        {"emptied after saving", {Enter, Save, Empty}, false, 0},
        {"emptied and entered after saving", {Enter, Save, Empty, Enter}, false, 1},
        {"cleared", {Enter, Clear}, false, 0},
        {"loaded", {Load}, false, 2},
        {"loaded then changed", {Load, Empty}, true, 1},
        {"restored", {Restore}, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScoreBook book;
        for (const Step step : c.steps) {
            switch (step) {
                case Enter:
                    EXPECT_TRUE(book.Enter(kIchiro, 0, 0, 3));
                    break;
                case Empty:
                    EXPECT_TRUE(book.Enter(kIchiro, 0, 0, std::nullopt));
                    break;
                case Refused:
                    EXPECT_FALSE(book.Enter(kIchiro, 0, 0, 100));
                    EXPECT_FALSE(book.Enter(kIchiro, 4, 0, 1));
                    EXPECT_FALSE(book.Enter(kIchiro, 0, 12, 1));
                    break;
                case Settings:
                    EXPECT_TRUE(book.SetSettings({3, 1}));
                    break;
                case BadSettings:
                    EXPECT_FALSE(book.SetSettings({5, 0}));
                    EXPECT_FALSE(book.SetSettings({2, 4}));
                    EXPECT_EQ(book.Get().settings, ResultSettings{});
                    break;
                case Save:
                    book.MarkSaved();
                    break;
                case Clear:
                    book.Clear();
                    break;
                case Load: {
                    Results loaded{{1, 2}, {}};
                    loaded.cards[kIchiro] = CardOf({{3}});
                    loaded.cards[kHanako] = CardOf({{1, 1}});
                    loaded.cards[{"x", 1}] = ScoreCard();  // nothing in it: dropped
                    book.Loaded(loaded);
                    EXPECT_EQ(book.Get().settings, (ResultSettings{1, 2}));
                    break;
                }
                case Restore: {
                    Results restored;
                    restored.cards[kHanako] = CardOf({{2}});
                    restored.cards[{"x", 1}] = ScoreCard();
                    book.Restore(restored);
                    break;
                }
            }
        }
        EXPECT_EQ(book.Unsaved(), c.unsaved);
        EXPECT_EQ(book.Get().cards.size(), c.cards);
        EXPECT_EQ(HasStrokes(book.Get()), c.cards > 0);
    }
}

}  // namespace
}  // namespace tovi
