// The line end of every file the program writes (CR LF, as Windows' own
// programs write and read them).
#pragma once

#include <string_view>

namespace tovi {

inline constexpr std::string_view kCrLf = "\r\n";

}  // namespace tovi
