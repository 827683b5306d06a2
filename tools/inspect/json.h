#pragma once
// A tiny JSON line writer for brinefall-tool's reports: fields are appended in order and the
// object is printed as one line.
#include <span>
#include <string>
#include <string_view>
#include <vector>

class JsonLine {
public:
    JsonLine& field(std::string_view key, long long value);
    JsonLine& field(std::string_view key, double value);
    JsonLine& field(std::string_view key, std::string_view value);
    JsonLine& field(std::string_view key, std::span<const long long> values);
    JsonLine& field(std::string_view key, std::span<const double> values);
    JsonLine& field(std::string_view key, std::span<const float> values);
    JsonLine& field(std::string_view key, const std::vector<std::string>& values);
    // A value already written as JSON (nested arrays and the like).
    JsonLine& raw(std::string_view key, std::string_view json);
    std::string str() const { return "{" + body_ + "}"; }
    // Prints the object on its own line to standard output.
    void print() const;

    static std::string number(double value);
    static std::string quoted(std::string_view text);

private:
    void key(std::string_view k);
    std::string body_;
};
