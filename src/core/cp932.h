// Conversion between the program's CP932 texts and UTF-8: on iconv where the
// C library has it (cp932_posix.cpp), on the Win32 code-page functions on
// Windows (cp932_windows.cpp); both give the same results.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovi {

// CP932 bytes to UTF-8.  A byte sequence that does not decode becomes U+FFFD
// (the input itself is never altered).
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932; nothing when a character has no CP932 spelling or the
// input is not valid UTF-8.
std::optional<std::string> TryUtf8ToCp932(std::string_view utf8);

// UTF-8 to CP932 for texts known to be encodable (the program's own
// literals); throws std::invalid_argument otherwise.
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace tovi
