// CP932 conversion on iconv's "CP932" converter (glibc has it).
#include "core/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tovi {
namespace {

// Owns one iconv descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as decodes; returns the count of bytes consumed and
    // appends the output.  Stops at the first sequence that does not convert.
    std::size_t Run(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - srcLeft;
    }

private:
    iconv_t cd_;
};

}  // namespace

// Opening a converter costs more than most conversions: each thread keeps
// one of each direction.
std::string Cp932ToUtf8(std::string_view cp932) {
    thread_local Converter conv("UTF-8", "CP932");
    std::string out;
    while (!cp932.empty()) {
        const std::size_t used = conv.Run(cp932, out);
        cp932.remove_prefix(used);
        if (cp932.empty()) break;
        // Replace the byte that did not decode and go on after it.
        out += "\xEF\xBF\xBD";
        cp932.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> TryUtf8ToCp932(std::string_view utf8) {
    thread_local Converter conv("CP932", "UTF-8");
    std::string out;
    if (conv.Run(utf8, out) != utf8.size()) return std::nullopt;
    return out;
}

}  // namespace tovi
