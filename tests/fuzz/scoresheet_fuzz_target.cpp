#include "scoresheet_fuzz_target.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp932.h"
#include "model/int_conversion.h"
#include "model/tournament_state.h"
#include "scoresheet/score_sheet.h"
#include "support/recording_surface.h"

// Input layout, read front to back; a short input reads as zero bytes:
//
//   flags        bit 0: hide the hole numbers
//   scale        byte % 8: 0 preview, 1 600x600 dpi, 2 300x600, 3 1200x1200,
//                4 72x72, 5 two 16-bit dpi values (1..9600 each), 6 96x96, 7 1x1
//   9 texts      title, meeting, course, hole count, group number, start hole,
//                year, month, day (see Text below)
//   members      byte % 41 roster rows, each a name text and a team text
//   6 groups     byte % 7 entries each; an entry byte below 0xF0 is the
//                position (byte % 48) in decimal, else an entry text
//
// A text begins with a byte b: below 0xF0 it is b % 40 raw bytes; 0xF0..0xF7
// the decimal of one signed byte; 0xF8..0xFB the decimal of a signed 32-bit
// value from 4 bytes; 0xFC..0xFF one of the awkward texts by the next byte.

namespace tovi::fuzz {
namespace {

[[noreturn]] void Broken(const char* condition, int line) {
    std::fprintf(stderr, "score-sheet fuzz target, line %d: broken invariant: %s\n", line,
                 condition);
    std::abort();
}

#define SHEET_CHECK(condition)                          \
    do {                                                \
        if (!(condition)) Broken(#condition, __LINE__); \
    } while (false)

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::uint16_t Word() {
        const std::uint16_t high = Byte();
        return static_cast<std::uint16_t>(high << 8 | Byte());
    }
    std::uint32_t Long() {
        const std::uint32_t high = Word();
        return high << 16 | Word();
    }
    std::string Raw(std::size_t count) {
        count = std::min(count, size_ - pos_);
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_), count);
        pos_ += count;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Texts that sit on the edges of the whole-number rule.
const std::vector<std::string>& AwkwardTexts() {
    static const std::vector<std::string> texts = {
        "",
        "-",
        "-0",
        "+1",
        " 1",
        "1 ",
        "0x1",
        "007",
        "00000000000000000000012",
        "2147483647",
        "2147483648",
        "-2147483648",
        "-2147483649",
        "99999999999999999999",
        std::string("12\0", 3),
        "1-",
        "--1",
        "11",
        "12",
        "13",
        "10",
        "0",
        "-1",
        Utf8ToCp932("１２"),
        Utf8ToCp932("－１"),
        "\x82",
        "\x82\x4f",
        "\xff\xff",
    };
    return texts;
}

std::string Text(ByteReader& in) {
    const std::uint8_t b = in.Byte();
    if (b < 0xF0) return in.Raw(b % 40);
    if (b < 0xF8) return std::to_string(static_cast<std::int8_t>(in.Byte()));
    if (b < 0xFC) return std::to_string(static_cast<std::int32_t>(in.Long()));
    const auto& texts = AwkwardTexts();
    return texts[in.Byte() % texts.size()];
}

SheetScale Scale(ByteReader& in) {
    switch (in.Byte() % 8) {
        case 0:
            return {kPreviewScaleX, kPreviewScaleY};
        case 1:
            return PrintScale(600, 600);
        case 2:
            return PrintScale(300, 600);
        case 3:
            return PrintScale(1200, 1200);
        case 4:
            return PrintScale(72, 72);
        case 5: {
            const int x = 1 + in.Word() % 9600;
            return PrintScale(x, 1 + in.Word() % 9600);
        }
        case 6:
            return PrintScale(96, 96);
        default:
            return PrintScale(1, 1);
    }
}

// The value of a text under the program's whole-number rule, worked out
// apart from the program's own conversion: an optional minus sign, at least
// one ASCII digit and nothing else, within 32 bits.
std::optional<std::int32_t> WholeNumber(const std::string& text) {
    std::size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{1} << 31) return std::nullopt;
    }
    const std::int64_t value = text[0] == '-' ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

struct Input {
    ScoreSheetSettings settings;
    TournamentState state;
    SheetScale scale;
};

Input ReadInput(const std::uint8_t* data, std::size_t size) {
    ByteReader in(data, size);
    Input input;
    ScoreSheetSettings& s = input.settings;
    s.hideHoleNumbers = (in.Byte() & 1) != 0;
    input.scale = Scale(in);
    for (std::string* text : {&s.title, &s.meetingName, &s.course, &s.holeCount, &s.groupNumber,
                              &s.startHole, &s.year, &s.month, &s.day})
        *text = Text(in);

    TournamentState& state = input.state;
    const int members = in.Byte() % (MemberCapacity + 1);
    for (int r = 0; r < members; ++r) {
        state.rosterList.push_back("x");
        state.rosterTable[static_cast<std::size_t>(r)][0] = Text(in);
        state.rosterTable[static_cast<std::size_t>(r)][1] = Text(in);
    }
    for (int g = 1; g <= MaxGroups; ++g) {
        const int entries = in.Byte() % (MaxGroupSize + 1);
        for (int e = 0; e < entries; ++e) {
            const std::uint8_t b = in.Byte();
            state.groupList[static_cast<std::size_t>(g)].push_back(b < 0xF0 ? std::to_string(b % 48)
                                                                            : Text(in));
        }
    }
    return input;
}

// The cell a group entry names: the roster row of a whole-number position
// within the table, else an empty text.
std::string CellOf(const TournamentState& state, const std::string& entry, std::size_t column) {
    const auto position = WholeNumber(entry);
    if (!position || *position < 0 ||
        static_cast<std::size_t>(*position) >= state.rosterTable.size())
        return {};
    return state.rosterTable[static_cast<std::size_t>(*position)][column];
}

constexpr std::size_t kHeaderTexts = 19;  // the title, ten captions and eight values
constexpr std::size_t kTotalsTexts = 4;

void CheckBounds(const test::RecordingSurface& surface, const PageSize& page) {
    // Every text is placed and every line drawn within the page; a coordinate
    // may reach the far edge when truncation at a tiny scale folds the last
    // design units together.
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x <= page.width && y <= page.height;
    };
    for (const auto& t : surface.texts) {
        SHEET_CHECK(inside(t.x, t.y));
        SHEET_CHECK(t.height >= 0);
    }
    for (const auto& l : surface.lines) {
        SHEET_CHECK(inside(l.x1, l.y1) && inside(l.x2, l.y2));
        SHEET_CHECK(l.penWidth >= 0);
        SHEET_CHECK(l.color == kBlack);
    }
}

void CheckDrawing(const Input& input) {
    const TournamentState& state = input.state;
    const ScoreSheetSettings& settings = input.settings;
    test::RecordingSurface surface;
    std::optional<std::string> failedText;
    PageSize page{};
    try {
        page = DrawScoreSheet(surface, state, settings, input.scale);
    } catch (const ConversionError& error) {
        failedText = error.Text();
    }

    const ScoreSheetSettings& in = input.settings;
    const PageSize expectedPage = SheetPageSize(input.scale.x, input.scale.y);
    SHEET_CHECK(expectedPage.width >= 0 && expectedPage.height >= 0);

    // The page is blanked first, whatever follows.
    SHEET_CHECK(surface.rects.size() == 1);
    const auto& blank = surface.rects.front();
    SHEET_CHECK(blank.left == 0 && blank.top == 0 && blank.right == expectedPage.width &&
                blank.bottom == expectedPage.height);
    SHEET_CHECK(blank.brush == kWhite && blank.pen == kWhite);
    SHEET_CHECK(!surface.order.empty() && surface.order.front() == test::CallKind::Rect);
    CheckBounds(surface, expectedPage);

    const auto holes = WholeNumber(in.holeCount);
    if (!holes) {
        // A bad hole count leaves the blank page.
        SHEET_CHECK(failedText == in.holeCount);
        SHEET_CHECK(SheetHoleCount(in.holeCount) == in.holeCount);
        SHEET_CHECK(surface.texts.empty() && surface.lines.empty());
        return;
    }
    const std::string shownHoles = SheetHoleCount(in.holeCount);
    SHEET_CHECK(shownHoles == (*holes > 11 ? std::string("12") : in.holeCount));

    const auto& texts = surface.texts;
    SHEET_CHECK(texts.size() >= kHeaderTexts);
    SHEET_CHECK(texts[0].text == in.title);
    // The eight setting values follow the title and the ten captions, as typed,
    // the hole count as the sheet draws it.
    const std::string* values[] = {&in.meetingName, &in.course, &shownHoles, &in.groupNumber,
                                   &in.startHole,   &in.year,   &in.month,   &in.day};
    for (std::size_t v = 0; v < std::size(values); ++v)
        SHEET_CHECK(texts[11 + v].text == *values[v]);
    if (*holes > 11) SHEET_CHECK(texts[13].text == "12");

    const auto group = WholeNumber(in.groupNumber);
    if (!group) {
        SHEET_CHECK(failedText == in.groupNumber);
        SHEET_CHECK(texts.size() == kHeaderTexts);
        return;
    }
    const bool named = *group >= 1 && *group <= MaxGroups;
    const auto& players = named ? input.state.groupList[static_cast<std::size_t>(*group)]
                                : std::vector<std::string>{};
    const std::size_t k = players.size();
    SHEET_CHECK(texts.size() >= kHeaderTexts + 2 * k);
    for (std::size_t i = 0; i < k; ++i) {
        SHEET_CHECK(texts[kHeaderTexts + i].text == CellOf(input.state, players[i], 0));
        SHEET_CHECK(texts[kHeaderTexts + k + i].text == CellOf(input.state, players[i], 1));
        // Each player a row lower than the one before.
        if (i > 0) SHEET_CHECK(texts[kHeaderTexts + i].y >= texts[kHeaderTexts + i - 1].y);
    }

    const auto start = WholeNumber(in.startHole);
    if (!in.hideHoleNumbers && !start) {
        SHEET_CHECK(failedText == in.startHole);
        SHEET_CHECK(texts.size() == kHeaderTexts + 2 * k);
        return;
    }
    SHEET_CHECK(!failedText);
    SHEET_CHECK(page == expectedPage);

    const int numbered = in.hideHoleNumbers ? 0 : std::clamp(*holes, 0, 12);
    const int effective = std::clamp(*holes, 0, 12);
    SHEET_CHECK(texts.size() ==
                kHeaderTexts + 2 * k + static_cast<std::size_t>(numbered) + kTotalsTexts);
    std::int64_t previous = 0;
    for (int c = 0; c < numbered; ++c) {
        const auto number =
            WholeNumber(texts[kHeaderTexts + 2 * k + static_cast<std::size_t>(c)].text);
        SHEET_CHECK(number.has_value());
        // The first is the start hole as typed; each next one is one more, or
        // 1 again once the last hole has been reached.
        if (c == 0)
            SHEET_CHECK(*number == *start);
        else
            SHEET_CHECK(*number == (previous < effective ? previous + 1 : 1));
        previous = *number;
    }
    const char* totals[] = {"実打数", "一打", "二打", "合計"};
    for (std::size_t t = 0; t < kTotalsTexts; ++t)
        SHEET_CHECK(texts[texts.size() - kTotalsTexts + t].text == Utf8ToCp932(totals[t]));

    // Drawing again with the hole count the box gets back gives the same sheet.
    test::RecordingSurface again;
    ScoreSheetSettings settings2 = settings;
    settings2.holeCount = shownHoles;
    DrawScoreSheet(again, state, settings2, input.scale);
    SHEET_CHECK(again.texts.size() == texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        SHEET_CHECK(again.texts[i].x == texts[i].x && again.texts[i].y == texts[i].y &&
                    again.texts[i].text == texts[i].text &&
                    again.texts[i].height == texts[i].height);
    SHEET_CHECK(again.lines == surface.lines);
}

}  // namespace

int ScoreSheetFuzzOneInput(const std::uint8_t* data, std::size_t size) {
    const Input input = ReadInput(data, size);
    CheckDrawing(input);
    return 0;
}

}  // namespace tovi::fuzz
