// CP932 conversion on Windows' own code page 932, with the flags that refuse
// what does not convert instead of guessing, and giving the same results as
// the iconv build: where the two tables differ, this file follows iconv's.
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "core/cp932.h"

namespace tovi {
namespace {

constexpr UINT kCp932 = 932;

// Characters that iconv also writes as the bytes of their look-alikes in code
// page 932 (the JIS spellings of the same marks): given first as the
// character Windows maps to those bytes.
constexpr std::pair<wchar_t, wchar_t> kIconvSpellings[] = {
    {L'\u00A2', L'\uFFE0'},  // CENT SIGN -> 81 91
    {L'\u00A3', L'\uFFE1'},  // POUND SIGN -> 81 92
    {L'\u00A5', L'\\'},      // YEN SIGN -> 5C
    {L'\u00AC', L'\uFFE2'},  // NOT SIGN -> 81 CA
    {L'\u2014', L'\u2015'},  // EM DASH -> 81 5C
    {L'\u2016', L'\u2225'},  // DOUBLE VERTICAL LINE -> 81 61
    {L'\u203E', L'~'},       // OVERLINE -> 7E
    {L'\u2212', L'\uFF0D'},  // MINUS SIGN -> 81 7C
    {L'\u301C', L'\uFF5E'},  // WAVE DASH -> 81 60
};

// Single bytes that Windows decodes but iconv refuses (a control character
// and private-use characters), and what Windows decodes them to.
constexpr unsigned char kRefusedBytes[] = {0x80, 0xA0, 0xFD, 0xFE, 0xFF};
bool IsRefusedCharacter(wchar_t c) { return c == L'\u0080' || (c >= L'\uF8F0' && c <= L'\uF8F3'); }
bool IsRefusedByte(unsigned char byte) {
    return std::find(std::begin(kRefusedBytes), std::end(kRefusedBytes), byte) !=
           std::end(kRefusedBytes);
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(kCp932, byte) != 0; }

// Whether every sequence of cp932 is one that iconv takes too (as far as the
// single bytes go; the rest the conversion itself checks).
bool HasNoRefusedByte(std::string_view cp932) {
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (IsLeadByte(byte))
            ++i;
        else if (IsRefusedByte(byte))
            return false;
    }
    return true;
}

int ToInt(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long");
    return static_cast<int>(size);
}

// Decodes bytes of code page `page` into wide; false when any byte sequence
// is not valid there.
bool TryDecode(UINT page, std::string_view bytes, std::wstring& wide) {
    wide.clear();
    if (bytes.empty()) return true;
    const int length = ToInt(bytes.size());
    const int needed =
        MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return false;
    wide.resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(),
                               needed) == needed;
}

// Encodes wide into code page `page`; false when a character has no
// spelling there (no best-fit lookalikes, no default character).
bool TryEncode(UINT page, std::wstring_view wide, std::string& bytes) {
    bytes.clear();
    if (wide.empty()) return true;
    const int length = ToInt(wide.size());
    // UTF-8 takes neither flag nor the default-character report.
    const bool utf8 = page == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = utf8 ? nullptr : &usedDefault;
    const int needed =
        WideCharToMultiByte(page, flags, wide.data(), length, nullptr, 0, nullptr, report);
    if (needed <= 0 || usedDefault) return false;
    bytes.resize(static_cast<std::size_t>(needed));
    return WideCharToMultiByte(page, flags, wide.data(), length, bytes.data(), needed, nullptr,
                               report) == needed &&
           !usedDefault;
}

std::string WideToUtf8(std::wstring_view wide) {
    std::string utf8;
    if (!TryEncode(CP_UTF8, wide, utf8)) throw std::runtime_error("UTF-16 text does not convert");
    return utf8;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::wstring wide;
    if (HasNoRefusedByte(cp932) && TryDecode(kCp932, cp932, wide)) return WideToUtf8(wide);
    // Some sequence does not decode: go sequence by sequence, as the iconv
    // build does, replacing the first byte of a sequence that fails and going
    // on after it.
    std::wstring out;
    std::wstring one;
    while (!cp932.empty()) {
        const auto lead = static_cast<unsigned char>(cp932.front());
        const std::size_t length = IsLeadByte(lead) && cp932.size() >= 2 ? 2 : 1;
        if (!(length == 1 && IsRefusedByte(lead)) &&
            TryDecode(kCp932, cp932.substr(0, length), one)) {
            out += one;
            cp932.remove_prefix(length);
        } else {
            out += L'\xFFFD';
            cp932.remove_prefix(1);
        }
    }
    return WideToUtf8(out);
}

std::optional<std::string> TryUtf8ToCp932(std::string_view utf8) {
    std::wstring wide;
    std::string out;
    if (!TryDecode(CP_UTF8, utf8, wide)) return std::nullopt;
    for (wchar_t& c : wide) {
        if (IsRefusedCharacter(c)) return std::nullopt;
        const auto spelling = std::find_if(std::begin(kIconvSpellings), std::end(kIconvSpellings),
                                           [c](const auto& pair) { return pair.first == c; });
        if (spelling != std::end(kIconvSpellings)) c = spelling->second;
    }
    if (!TryEncode(kCp932, wide, out)) return std::nullopt;
    return out;
}

}  // namespace tovi
