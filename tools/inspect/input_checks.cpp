#include "tools/inspect/input_checks.h"

#include <charconv>
#include <cstring>

namespace {
// How far into a file a zero byte marks it as binary: text formats never hold one.
constexpr size_t sniff_bytes = 4096;
}  // namespace

bool parse_count(const char* text, int& count) {
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, count);
    return ec == std::errc() && ptr == end && ptr != text && count >= 1;
}

std::string non_text_kind(std::string_view bytes) {
    if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return "a PNG image";
    if (bytes.starts_with("\xFF\xD8\xFF")) return "a JPEG image";
    if (bytes.substr(0, sniff_bytes).find('\0') != std::string_view::npos) return "binary data";
    return {};
}
