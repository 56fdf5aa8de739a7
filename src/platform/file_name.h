// Where file names chosen in a dialog (QString) meet the file system
// (std::filesystem::path), one implementation per operating system:
// file_name_posix.cpp (names are bytes, in the locale's encoding) and
// file_name_windows.cpp (names are UTF-16, passed through unchanged).
#pragma once

#include <QString>

#include <filesystem>
#include <optional>

namespace tovi {

// The path of a file name chosen in a dialog; nothing when it could name
// another file than the one chosen: an empty name, a name with a NUL (the
// path would end there) and, where names are bytes, a name with a character
// the file-name encoding cannot spell (it would be replaced) or with U+FFFD,
// which stands for bytes that did not decode, so that the real bytes are lost.
std::optional<std::filesystem::path> TryQtToPath(const QString& name);

// A path as the window's caption shows it.
QString PathToQt(const std::filesystem::path& path);

}  // namespace tovi
