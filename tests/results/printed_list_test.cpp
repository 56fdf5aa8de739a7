// The lists printed and saved from the results and season windows: the
// list named on a ranking page.  The names their files are offered under
// are checked through the windows (results_files_test, prize_giving_test).
#include "sheets/printed_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "results/card_builder.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using test::RecordingSurface;

TEST(PrintedList, TheRankingPageNamesTheListChosenWhateverTheHeaderSaid) {
    const std::string line = Utf8ToCp932("花子,西町,女,0,0,0,0,0,");
    const std::vector<Player> players = {
        {{line, 1}, Utf8ToCp932("花子"), Utf8ToCp932("西町"), cp932::kFemale, std::nullopt, 1}};
    Results results;
    results.cards[players[0].key] = CardOf({{1}, {0}});
    RankingSheetHeader header;
    header.listName = Utf8ToCp932("全体");
    for (const auto& [list, name] : {std::pair{RankingList::Women, "成績表　女子"},
                                     std::pair{RankingList::All, "成績表　全体"}}) {
        const Ranking ranking = RankPlayers(players, results, 1, list);
        RecordingSurface page;
        RankingPrintedList(header, list, players, ranking).DrawPage(page, 1.0, 0);
        const std::vector<std::string> texts = page.TextLog();
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
            return t.ends_with(name);
        })) << name;
    }
}

}  // namespace
}  // namespace tovi
