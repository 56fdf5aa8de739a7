// The meeting's scores: the settings, one score card per member and the sums
// of a card.
//
// A card always holds room for the most rounds and holes a meeting can have.
// Lowering the number of rounds or holes only hides the cells beyond them:
// the sums, the ranking and the ranking CSV leave them out, while the card
// and the results file keep them, so that raising the number again brings
// back what had been entered.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovi {

inline constexpr int kMinRounds = 1;
inline constexpr int kMaxRounds = 4;
inline constexpr int kDefaultRounds = 2;
inline constexpr int kMaxHoleInOneDeduction = 3;  // the least is 0
inline constexpr int kDefaultHoleInOneDeduction = 0;
inline constexpr int kMinHoles = 1;
inline constexpr int kMaxHoles = 12;
inline constexpr int kMinStrokes = 1;
inline constexpr int kMaxStrokes = 99;
inline constexpr int kCardCells = kMaxRounds * kMaxHoles;
// カード計: the round's total as written on the card, typed to check the holes.
inline constexpr int kMinCardTotal = 1;
inline constexpr int kMaxCardTotal = 999;

struct ResultSettings {
    int rounds = kDefaultRounds;                          // ラウンド数
    int holeInOneDeduction = kDefaultHoleInOneDeduction;  // strokes off per hole in one
    friend bool operator==(const ResultSettings&, const ResultSettings&) = default;
};

// True when rounds is 1..4 and the deduction 0..3.
bool IsValidSettings(const ResultSettings& settings);

inline constexpr int kMaxPlaces = 10;  // the least is 0
inline constexpr int kDefaultPlaces = 3;
inline constexpr int kMinTobiEvery = 2;  // 0 is none
inline constexpr int kMaxTobiEvery = 20;
inline constexpr int kMinTeamSize = 1;
inline constexpr int kMaxTeamSize = 10;
inline constexpr int kDefaultTeamSize = 4;

// Who the places go to: the men and the women apart, or all together.
enum class PrizeDivision {
    BySex = 0,    // 男女別
    Overall = 1,  // 全体
};

// The prize-giving's settings.
struct PrizeSettings {
    int places = kDefaultPlaces;  // 入賞: places awarded per list, 0..10
    PrizeDivision division = PrizeDivision::BySex;
    int tobiEvery = 0;                // 飛び賞: every n-th place of the 全体 list, 0 for none
    bool booby = true;                // ブービー賞
    bool boobyMaker = false;          // ブービーメーカー賞
    int teamSize = kDefaultTeamSize;  // 団体人数: the players counted per team
    friend bool operator==(const PrizeSettings&, const PrizeSettings&) = default;
};

// True when every setting is within its range.
bool IsValidPrizeSettings(const PrizeSettings& settings);

// A member as the scores know it: the roster line, CP932 bytes as the roster
// holds it, and which of the members with this very line it is, 1 for the
// first in roster order.  Two members with identical lines so keep their own
// scores.
struct MemberKey {
    std::string line;
    int occurrence = 1;
    friend auto operator<=>(const MemberKey&, const MemberKey&) = default;
};

// The key of every roster line, in roster order.
std::vector<MemberKey> MemberKeys(const std::vector<std::string>& rosterLines);

// The strokes of one member, by round and hole (both counted from 0).
class ScoreCard {
public:
    // The strokes entered at the cell; nothing when the cell is empty or
    // lies outside the card.
    std::optional<int> Strokes(int round, int hole) const;
    // Enters 1..99 strokes, or empties the cell with nothing.  Returns false,
    // and changes nothing, for a cell outside the card or strokes out of range.
    bool Set(int round, int hole, std::optional<int> strokes);
    // The カード計 of a round (from 0): what the card says the round came to.
    std::optional<int> CardTotal(int round) const;
    // Enters a カード計 of 1..999, or empties it with nothing; false, and no
    // change, for a round outside the card or a total out of range.
    bool SetCardTotal(int round, std::optional<int> total);
    // True when no cell holds strokes and no round a カード計.
    bool IsEmpty() const;

    friend bool operator==(const ScoreCard&, const ScoreCard&) = default;

private:
    std::array<std::uint8_t, kCardCells> cells_{};    // 0 = not entered
    std::array<std::uint16_t, kMaxRounds> totals_{};  // 0 = not entered
};

// A member in the group the results window last showed them in.
struct Seat {
    MemberKey key;
    int group = 0;  // 1..MaxGroups
    friend bool operator==(const Seat&, const Seat&) = default;
};

// Everything the results file holds: the settings, the cards, where the
// players sat, the ties the organiser decided and how ties are ranked.  A
// member without a card has entered nothing.
struct Results {
    ResultSettings settings;
    PrizeSettings prizes;
    std::map<MemberKey, ScoreCard> cards;
    // The members of the groups as the results window last showed them, in
    // the order shown: a member with strokes keeps this group whatever
    // happens to the main window's groups afterwards.
    std::vector<Seat> seats;
    // Ties decided by the organiser: each the members of one tie in the
    // order decided, two or more, a member in one decision at most.
    std::vector<std::vector<MemberKey>> decisions;
    // カード計で検算: each round's カード計 is typed and checked against its holes.
    bool checkCardTotals = false;
    // 同成績は年長者を上位: the players the strokes leave equal are ranked by
    // age, the older higher (results/ranking.h).
    bool olderFirst = true;
    friend bool operator==(const Results&, const Results&) = default;
};

// The sums of the first `rounds` rounds and first `holes` holes of a card,
// taken over the cells entered so far.
struct CardSums {
    std::vector<int> roundSums;  // one per round
    int strokes = 0;             // 実打数
    // holesIn[k - 1]: holes taken in k strokes, k = 1..4 (一打, 二打, ...).
    std::array<int, 4> holesIn{};
    int total = 0;          // 合計: strokes - deduction x holes in one; may fall below 0
    bool complete = false;  // every hole of every round entered
    friend bool operator==(const CardSums&, const CardSums&) = default;
};

// A round whose カード計 does not agree with its holes: the card total was
// typed and differs from the sum of the round's holes, or not every hole of
// the round was entered.
struct CardMismatch {
    std::optional<int> holesSum;  // 入力計: nothing while a hole is missing
    int cardTotal = 0;            // カード計 as typed
    friend bool operator==(const CardMismatch&, const CardMismatch&) = default;
};

// How round `round` (from 0) of the card disagrees with its カード計 over
// the first `holes` holes; nothing when it has none or they agree.
std::optional<CardMismatch> CheckCardTotal(const ScoreCard& card, int round, int holes);

// The sums of a card.  Rounds and deduction out of range are taken as the
// nearest allowed value, and so is a hole count outside 1..12.
CardSums SumCard(const ScoreCard& card, const ResultSettings& settings, int holes);

}  // namespace tovi
