// Reading a file whole and replacing a file without ever leaving it half
// written, with one implementation per operating system (file_io_posix.cpp,
// file_io_windows.cpp).
//
// A replacement writes a temporary file beside the target, flushes it to the
// disk and then puts it in the target's place in one step, so that a failed
// or interrupted save leaves the old file intact: at every moment the target
// holds either the old bytes or the new ones.  What a write in place would
// refuse is refused too: a file the user may not write (read-only, or
// without write permission) and anything but a regular file.  The file that
// is replaced keeps what the system keeps for it (POSIX: mode, owner, group;
// Windows: the hidden, system and not-indexed attributes); a symbolic link
// at the target stays a link to the file it names.  Temporary files left
// behind by saves that were killed are removed by the next save beside the
// same target, but only while that target exists: when it is missing, a
// leftover may be the only copy, and it stays.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tovi {

// Reads the regular file at path whole into bytes, or its first limit + 1
// bytes when it is larger (so that the caller can tell it is too large).
// False when it is not a regular file or cannot be read; bytes is then
// unspecified.  Only a regular file is opened: opening a named pipe could
// block for good.
bool ReadRegularFile(const std::filesystem::path& path, std::size_t limit, std::string& bytes);

// Makes the file at path hold exactly bytes, as described above.  False when
// it could not; the old file, if any, is then unchanged.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

namespace file_io_detail {

// The start of the name of a temporary file beside target: a dot, the
// target's name (cut so that the whole stays within the limit of a file
// name) and ".tmp-"; the process id, a dash and a counter follow.
std::filesystem::path::string_type TemporaryPrefix(const std::filesystem::path& target);

// A new name for a temporary file beside target, of process pid: the prefix,
// the process id, a dash and a counter of this process.
std::filesystem::path NextTemporaryPath(const std::filesystem::path& target, std::uint32_t pid);

// The process id in a temporary name "PREFIX PID-N", when it has that form.
std::optional<std::uint32_t> TemporaryOwner(std::filesystem::path::string_type name,
                                            const std::filesystem::path::string_type& prefix);

// The folder that holds path.
std::filesystem::path FolderOf(const std::filesystem::path& path);

}  // namespace file_io_detail
}  // namespace tovi
