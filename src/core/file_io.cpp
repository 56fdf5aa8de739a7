// The naming of temporary files, shared by both implementations.
#include "core/file_io.h"

#include <atomic>
#include <cstdint>
#include <limits>
#include <string>

namespace tovi::file_io_detail {

namespace fs = std::filesystem;
using String = fs::path::string_type;

String TemporaryPrefix(const fs::path& target) {
    // Built step by step: GCC warns falsely about the overlap of a chain of +.
    String prefix(1, '.');
    prefix += target.filename().native().substr(0, 200);
    prefix += fs::path(".tmp-").native();
    return prefix;
}

fs::path NextTemporaryPath(const fs::path& target, std::uint32_t pid) {
    static std::atomic<unsigned> counter{0};
    String name = TemporaryPrefix(target);
    name += fs::path(std::to_string(pid) + "-" + std::to_string(counter++)).native();
    return FolderOf(target) / name;
}

std::optional<std::uint32_t> TemporaryOwner(String name, const String& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    name.erase(0, prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == String::npos || dash + 1 == name.size() || dash > 9)
        return std::nullopt;
    std::uint64_t pid = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i == dash) continue;
        if (name[i] < '0' || name[i] > '9') return std::nullopt;
        if (i < dash) pid = pid * 10 + static_cast<std::uint64_t>(name[i] - '0');
    }
    if (pid == 0 || pid > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::uint32_t>(pid);
}

fs::path FolderOf(const fs::path& path) {
    return path.parent_path().empty() ? fs::path(".") : path.parent_path();
}

}  // namespace tovi::file_io_detail
