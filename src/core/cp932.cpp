// What both conversions share; the conversions themselves are in
// cp932_posix.cpp and cp932_windows.cpp.
#include "core/cp932.h"

#include <stdexcept>

namespace tovi {

std::string Utf8ToCp932(std::string_view utf8) {
    auto converted = TryUtf8ToCp932(utf8);
    if (!converted) throw std::invalid_argument("text has no CP932 spelling");
    return *converted;
}

}  // namespace tovi
