#pragma once
// Checks brinefall-tool makes before handing input to a loader, so that a wrong argument is
// reported as what it is instead of as an empty result.
#include <string>
#include <string_view>

// A --bench count: a whole number from 1 on, nothing else in the text.
bool parse_count(const char* text, int& count);

// What a file is when it is recognisably not text: "a PNG image", "a JPEG image" or "binary
// data" (a zero byte near the start). Empty for anything else. The text formats (OBJ, BVH) use
// it to refuse the wrong kind of file, the loaders being lenient enough to read one as empty.
std::string non_text_kind(std::string_view bytes);
