#include "results/score_book.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

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
                    Results loaded;
                    loaded.settings = {1, 2};
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

namespace tovi {
namespace {

TEST(ResultScoreBook, CardsFollowTheirMembersThroughAChangedRoster) {
    const std::string a = "A", l = "L", b = "B";
    const auto reverse = [](TournamentState& s) {
        std::reverse(s.rosterList.begin(), s.rosterList.end());
        return true;
    };
    const auto removeSecond = [](TournamentState& s) {
        s.rosterList.erase(s.rosterList.begin() + 1);
        return true;
    };
    const auto refuse = [](TournamentState&) { return false; };
    const struct {
        const char* name;
        std::function<bool(TournamentState&)> edit;
        std::vector<int> positions;
        // strokes of hole 1 by key after: (line, occurrence) -> strokes
        std::map<MemberKey, int> after;
        // The seats and the ties after, which go where the cards go.
        std::vector<Seat> seats;
        std::vector<std::vector<MemberKey>> decisions;
    } cases[] = {
        {"reversed: the twins swap places, each with its own",
         reverse,
         {3, 2, 1, 0},
         {{{a, 1}, 1}, {{l, 1}, 3}, {{l, 2}, 2}, {{b, 1}, 4}, {{l, 4}, 9}},
         {{{l, 1}, 1}, {{l, 2}, 2}, {{b, 1}, 2}, {{l, 3}, 5}},
         {{{l, 2}, {l, 1}}, {{b, 1}, {l, 4}}}},
        {"the first twin removed: the second keeps its own, the first's goes apart",
         removeSecond,
         {0, -1, 1, 2},
         {{{a, 1}, 1}, {{l, 1}, 3}, {{l, 2}, 2}, {{b, 1}, 4}, {{l, 4}, 9}},
         {{{l, 1}, 1}, {{l, 2}, 2}, {{b, 1}, 2}, {{l, 3}, 5}},
         {{{l, 2}, {l, 1}}, {{b, 1}, {l, 4}}}},
        {"refused: nothing moves",
         refuse,
         {0, 1, 2, 3},
         {{{a, 1}, 1}, {{l, 1}, 2}, {{l, 2}, 3}, {{b, 1}, 4}, {{l, 4}, 9}},
         {{{l, 2}, 1}, {{l, 1}, 2}, {{b, 1}, 2}, {{l, 3}, 5}},
         {{{l, 1}, {l, 2}}, {{b, 1}, {l, 4}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TournamentState state;
        state.rosterList = {a, l, l, b};
        EXPECT_EQ(PositionsAfter(state, c.edit), c.positions);
        EXPECT_EQ(state.rosterList, (std::vector<std::string>{a, l, l, b}));

        ScoreBook book;
        book.Enter({a, 1}, 0, 0, 1);
        book.Enter({l, 1}, 0, 0, 2);
        book.Enter({l, 2}, 0, 0, 3);
        book.Enter({b, 1}, 0, 0, 4);
        book.Enter({l, 4}, 0, 0, 9);  // a member removed earlier
        // {l, 3}: the seat of a member without strokes, removed earlier.
        book.SetSeats({{{l, 2}, 1}, {{l, 1}, 2}, {{b, 1}, 2}, {{l, 3}, 5}});
        book.SetDecisions({{{l, 1}, {l, 2}}, {{b, 1}, {l, 4}}});
        book.MarkSaved();
        const std::vector<std::string> before = state.rosterList;
        c.edit(state);
        book.FollowRoster(before, c.positions, state.rosterList);
        std::map<MemberKey, int> after;
        for (const auto& [key, card] : book.Get().cards) after[key] = *card.Strokes(0, 0);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(book.Get().seats, c.seats);
        EXPECT_EQ(book.Get().decisions, c.decisions);
        // What was saved follows too: nothing is lost by the change alone.
        EXPECT_FALSE(book.Unsaved());
    }

    // A card kept apart never lands on a member: past every occurrence taken.
    ScoreBook book;
    book.Enter({l, 1}, 0, 0, 1);
    book.Enter({l, 2}, 0, 0, 5);  // apart while the roster had one L
    book.FollowRoster({l}, {0}, {l, l});
    std::map<MemberKey, int> after;
    for (const auto& [key, card] : book.Get().cards) after[key] = *card.Strokes(0, 0);
    EXPECT_EQ(after, (std::map<MemberKey, int>{{{l, 1}, 1}, {{l, 3}, 5}}));
}

TEST(ScoreBook, ACorrectedMemberKeepsItsCardSeatAndTieUnderTheNewLine) {
    // Two members with the same line; the second is corrected to a line the
    // first then no longer shares, and later to the line of a third.
    const std::string l = "L,T,M,0,0,0,0,0,", m = "M,T,M,0,0,0,0,0,", x = "X,T,M,0,0,0,0,0,";
    const struct {
        const char* what;
        std::vector<std::string> before;
        int row;
        std::string line;
        std::map<MemberKey, int> after;  // strokes at the first hole by key
        bool unsaved;
    } cases[] = {
        {"the second of two alike", {l, l, m}, 1, x, {{{l, 1}, 1}, {{x, 1}, 2}, {{m, 1}, 3}}, true},
        {"the first of two alike", {l, l, m}, 0, x, {{{x, 1}, 1}, {{l, 1}, 2}, {{m, 1}, 3}}, true},
        {"onto another's line", {l, l, m}, 2, l, {{{l, 1}, 1}, {{l, 2}, 2}, {{l, 3}, 3}}, true},
        {"to the same line", {l, l, m}, 2, m, {{{l, 1}, 1}, {{l, 2}, 2}, {{m, 1}, 3}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<MemberKey> keys = MemberKeys(c.before);
        ScoreBook book;
        for (std::size_t i = 0; i < keys.size(); ++i)
            book.Enter(keys[i], 0, 0, static_cast<int>(i) + 1);
        book.SetSeats({{keys[0], 1}, {keys[1], 1}, {keys[2], 2}});
        book.SetDecisions({{keys[1], keys[2]}});
        book.MarkSaved();
        std::vector<std::string> after = c.before;
        after[static_cast<std::size_t>(c.row)] = c.line;
        book.FollowCorrection(c.before, c.row, after);
        std::map<MemberKey, int> strokes;
        for (const auto& [key, card] : book.Get().cards) strokes[key] = *card.Strokes(0, 0);
        EXPECT_EQ(strokes, c.after);
        const std::vector<MemberKey> now = MemberKeys(after);
        EXPECT_EQ(book.Get().seats, (std::vector<Seat>{{now[0], 1}, {now[1], 1}, {now[2], 2}}));
        EXPECT_EQ(book.Get().decisions, (std::vector<std::vector<MemberKey>>{{now[1], now[2]}}));
        // A file saved before names the corrected member by its old line.
        EXPECT_EQ(book.Unsaved(), c.unsaved);
        book.MarkSaved();
        EXPECT_FALSE(book.Unsaved());
    }
    // A member without a card changes nothing that a file holds.
    ScoreBook book;
    book.Enter({l, 1}, 0, 0, 1);
    book.MarkSaved();
    book.FollowCorrection({l, m}, 1, {l, x});
    EXPECT_FALSE(book.Unsaved());
}

}  // namespace
}  // namespace tovi
