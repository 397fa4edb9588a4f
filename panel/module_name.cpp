#include <cstring>

#include "panel/applet_seams.h"

namespace panel {

std::string_view ApplicationNameFromPath(const char* path) {
    // Scans byte by byte: a GBK trail byte may equal '\\', so lead bytes skip their partner.
    std::size_t start = 0;
    std::size_t dot = std::string_view::npos;
    const std::size_t length = std::strlen(path);
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < length) {
            ++i;
        } else if (c == '\\' || c == '/' || c == ':') {
            start = i + 1;
            dot = std::string_view::npos;
        } else if (c == '.') {
            dot = i;
        }
    }
    const std::size_t end = dot == std::string_view::npos ? length : dot;
    return std::string_view(path + start, end - start);
}

}  // namespace panel
