// Prepares a guide page for its readers.  The pages keep their paragraphs
// on several source lines; a viewer would show each line end between two
// Japanese characters as a gap, or break the line there.  JoinLines drops
// such line ends (and turns the others into one space).
//
// The CHM viewer, moreover, wraps lines only where the text has white space,
// and Japanese has none, so a paragraph would run off as one long line.
// WithLineBreaks also inserts a space in the smallest font where a Japanese
// line may break: after the punctuation that ends a phrase and where
// hiragana (the particle or ending of a word) give way to another script,
// never before a character that may not begin a line.
//
// Text inside tags, <pre> and <title> is left as it is.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tovi::help {
namespace detail {

inline constexpr std::string_view kBreak = "<font size=\"1\"> </font>";

// The length in bytes of the UTF-8 character with this first byte.
inline std::size_t CharLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

inline char32_t Decode(std::string_view c) {
    if (c.size() == 1) return static_cast<unsigned char>(c[0]);
    char32_t value = static_cast<unsigned char>(c[0]) & (0x7F >> c.size());
    for (std::size_t i = 1; i < c.size(); ++i)
        value = (value << 6) | (static_cast<unsigned char>(c[i]) & 0x3F);
    return value;
}

inline bool IsWide(char32_t c) { return c >= 0x2E80; }
inline bool IsHiragana(char32_t c) { return c >= 0x3041 && c <= 0x309F; }
inline bool In(char32_t c, std::u32string_view set) {
    return set.find(c) != std::u32string_view::npos;
}

inline const std::u32string_view kEndsPhrase = U"、。」）』】";
inline const std::u32string_view kNeverStartsLine =
    U"、。，．」』）］｝〕〉》】ー・？！ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々";

inline bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
    return true;
}

// The first character at or after at that is not inside a tag.
inline char32_t NextText(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == '<') {
        const std::size_t end = text.find('>', at);
        if (end == std::string_view::npos) return 0;
        at = end + 1;
    }
    if (at >= text.size()) return 0;
    const std::size_t length =
        std::min(CharLength(static_cast<unsigned char>(text[at])), text.size() - at);
    return Decode(text.substr(at, length));
}

}  // namespace detail

// The page's text with its paragraphs joined, and with the places where the
// CHM viewer may wrap a line when breaks is set.
inline std::string Prepare(std::string_view text, bool breaks) {
    using namespace detail;
    std::string out;
    out.reserve(text.size() * 2);
    bool verbatim = false;  // inside <pre> or <title>
    char32_t previous = 0;  // the character before, 0 after a tag
    char32_t lastText = 0;  // the last character outside the tags
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '<') {
            const std::size_t end = text.find('>', i);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
            if (StartsWith(text, i, "<pre") || StartsWith(text, i, "<title")) verbatim = true;
            if (StartsWith(text, i, "</pre") || StartsWith(text, i, "</title")) verbatim = false;
            out.append(text.substr(i, stop - i));
            i = stop;
            previous = 0;  // a tag ends the run; no break is put next to one
            continue;
        }
        if (text[i] == '\n' && !verbatim) {
            // A line end between two Japanese characters (tags between them
            // or not) goes, with the next line's indent; any other stays,
            // as the white space it is.
            std::size_t next = i + 1;
            while (next < text.size() && (text[next] == ' ' || text[next] == '\t')) ++next;
            if (IsWide(lastText) && IsWide(NextText(text, next))) {
                i = next;
                continue;
            }
        }
        const std::size_t length =
            std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const char32_t c = Decode(text.substr(i, length));
        if (breaks && !verbatim && IsWide(previous) && IsWide(c) && !In(c, kNeverStartsLine) &&
            (In(previous, kEndsPhrase) || (IsHiragana(previous) && !IsHiragana(c))))
            out += kBreak;
        out.append(text.substr(i, length));
        previous = c;
        lastText = c;
        i += length;
    }
    return out;
}

inline std::string JoinLines(std::string_view text) { return Prepare(text, false); }
inline std::string WithLineBreaks(std::string_view text) { return Prepare(text, true); }

}  // namespace tovi::help
