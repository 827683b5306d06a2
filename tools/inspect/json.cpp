#include "tools/inspect/json.h"

#include <cmath>
#include <cstdio>

std::string JsonLine::number(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    return buffer;
}

std::string JsonLine::quoted(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x80) {
            // Control bytes, and bytes of names that need not be UTF-8 (read as Latin-1), are
            // escaped so the line stays valid JSON whatever a file holds.
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void JsonLine::key(std::string_view k) {
    if (!body_.empty()) body_ += ", ";
    body_ += quoted(k) + ": ";
}

JsonLine& JsonLine::field(std::string_view k, long long value) {
    key(k);
    body_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::field(std::string_view k, double value) {
    key(k);
    body_ += number(value);
    return *this;
}

JsonLine& JsonLine::field(std::string_view k, std::string_view value) {
    key(k);
    body_ += quoted(value);
    return *this;
}

template <typename T, typename Format>
static std::string array(std::span<const T> values, Format format) {
    std::string out = "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) out += ", ";
        out += format(values[i]);
    }
    return out + "]";
}

JsonLine& JsonLine::field(std::string_view k, std::span<const long long> values) {
    return raw(k, array(values, [](long long v) { return std::to_string(v); }));
}

JsonLine& JsonLine::field(std::string_view k, std::span<const double> values) {
    return raw(k, array(values, [](double v) { return number(v); }));
}

JsonLine& JsonLine::field(std::string_view k, std::span<const float> values) {
    return raw(k, array(values, [](float v) { return number(v); }));
}

JsonLine& JsonLine::field(std::string_view k, const std::vector<std::string>& values) {
    return raw(k,
               array(std::span<const std::string>(values), [](const std::string& v) { return quoted(v); }));
}

JsonLine& JsonLine::raw(std::string_view k, std::string_view json) {
    key(k);
    body_ += json;
    return *this;
}

void JsonLine::print() const {
    std::printf("%s\n", str().c_str());
    std::fflush(stdout);
}
