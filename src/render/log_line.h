#pragma once
// The show's log: one message per line on standard output, flushed at once so the lines
// interleave correctly with everything else the show prints.
#include <string_view>

void log_line(std::string_view message);
