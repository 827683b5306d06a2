#pragma once
// Plain-text clipboard.
#include <string>

// Puts the text on the system clipboard; false when there is no clipboard to write to (no video
// subsystem, or the display refused).
bool copy_to_clipboard(const std::string& text);
