// Prepares a guide page for its readers: the program's help window and
// Windows' HTML Help.  The pages keep their paragraphs on several source
// lines, and HTML shows a line end as a space: between two Japanese
// characters that is a gap no Japanese text has (「組み 合わせ」), which also
// keeps a search for the word from finding it.  JoinLines drops such a line
// end, with the next line's indent; any other line end becomes one space.
// (A line that already ends in white space gets none more.)  Both readers
// wrap Japanese by themselves, so nothing else is added.
//
// Line ends inside <pre> and <title> are left as they are.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tovi::help {
namespace detail {

// The length in bytes of the UTF-8 character with this first byte.
inline std::size_t CharLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;
}

// Japanese text, as far as a line end goes: any character beyond ASCII.
inline bool IsJapanese(char32_t c) { return c >= 0x80; }

inline bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
    return true;
}

// The first byte at or after at that is not inside a tag; 0 at the end.
inline unsigned char NextText(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == '<') {
        const std::size_t end = text.find('>', at);
        if (end == std::string_view::npos) return 0;
        at = end + 1;
    }
    return at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
}

}  // namespace detail

// The page's text with its paragraphs joined.
inline std::string JoinLines(std::string_view text) {
    using namespace detail;
    std::string out;
    out.reserve(text.size());
    bool verbatim = false;   // inside <pre> or <title>
    unsigned char last = 0;  // the first byte of the last character outside the tags
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '<') {
            const std::size_t end = text.find('>', i);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
            if (StartsWith(text, i, "<pre") || StartsWith(text, i, "<title")) verbatim = true;
            if (StartsWith(text, i, "</pre") || StartsWith(text, i, "</title")) verbatim = false;
            out.append(text.substr(i, stop - i));
            i = stop;
            continue;
        }
        if ((text[i] == '\n' || text[i] == '\r') && !verbatim) {
            // The line end with the next line's indent, and blank lines.
            std::size_t next = i + 1;
            while (next < text.size() && (text[next] == ' ' || text[next] == '\t' ||
                                          text[next] == '\n' || text[next] == '\r'))
                ++next;
            const bool spaced = last == ' ' || last == '\t';
            if (!spaced && (!IsJapanese(last) || !IsJapanese(NextText(text, next)))) {
                out += ' ';
                last = ' ';
            }
            i = next;
            continue;
        }
        const std::size_t length =
            std::min(CharLength(static_cast<unsigned char>(text[i])), text.size() - i);
        out.append(text.substr(i, length));
        // The lead byte tells ASCII from the rest.
        last = static_cast<unsigned char>(text[i]);
        i += length;
    }
    return out;
}

}  // namespace tovi::help
