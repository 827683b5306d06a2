#pragma once
// Whole-file reading and writing for the loaders and tools. Files are untrusted: callers get the
// bytes or nothing, never an exception.
#include <optional>
#include <string>
#include <string_view>

// The file's whole contents, or nullopt when it cannot be opened or read.
std::optional<std::string> read_file(const std::string& path);

// Writes the bytes, creating parent folders; true on success.
bool write_file(const std::string& path, std::string_view bytes);
