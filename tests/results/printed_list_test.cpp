// The lists printed and saved from the results and season windows: the
// names their files are offered under, and the list named on the page.
#include "results/printed_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "results/card_builder.h"
#include "support/recording_surface.h"

namespace tovi {
namespace {

using test::RecordingSurface;

TEST(PrintedList, TitlesNameTheListAndItsFile) {
    const std::vector<Player> players;
    const Ranking ranking;
    const RankingSheetHeader header;
    const Season season;
    const std::vector<SeasonRow> rows;
    const std::vector<SeasonMeeting> meetings;
    const struct {
        std::unique_ptr<PrintedList> list;
        const char* title;
    } cases[] = {
        {std::make_unique<RankingPrintedList>(header, RankingList::All, players, ranking),
         "成績表_全体"},
        {std::make_unique<RankingPrintedList>(header, RankingList::Men, players, ranking),
         "成績表_男子"},
        {std::make_unique<RankingPrintedList>(header, RankingList::Women, players, ranking),
         "成績表_女子"},
        {std::make_unique<TeamPrintedList>(header, players, std::vector<TeamRow>{}), "団体成績"},
        {std::make_unique<AwardPrintedList>(header, players, Prizes{}), "表彰一覧"},
        {std::make_unique<SeasonPrintedList>(RankingList::Women, season, rows, meetings),
         "年間成績_女子"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.list->Title(), c.title);
        EXPECT_GE(c.list->Pages(), 1) << c.title;  // an empty list still prints its heading
    }
}

TEST(PrintedList, TheRankingPageNamesTheListChosenWhateverTheHeaderSaid) {
    const std::string line = Utf8ToCp932("花子,西町,女,0,0,0,0,0,");
    const std::vector<Player> players = {
        {{line, 1}, Utf8ToCp932("花子"), Utf8ToCp932("西町"), cp932::kFemale, 1}};
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
        EXPECT_EQ(RankingPrintedList(header, list, players, ranking).Csv(),
                  FormatRankingCsv(players, ranking))
            << name;
    }
}

}  // namespace
}  // namespace tovi
