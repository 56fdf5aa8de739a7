// CP932 byte spellings of the few fixed texts the core compares or writes.
// The source files are UTF-8; these are the same characters as the program's
// data holds them.
#pragma once

namespace tovi::cp932 {

inline constexpr char kMale[] = "\x92\x6a";                   // 男
inline constexpr char kFemale[] = "\x8f\x97";                 // 女
inline constexpr char kRosterMarker[] = "\x8d\xec\x90\xac";   // 作成
inline constexpr char kResultsMarker[] = "\x90\xac\x90\xd1";  // 成績
inline constexpr char kIdeographicSpace[] = "\x81\x40";       // full-width space

}  // namespace tovi::cp932
