#pragma once
// Plain-text clipboard.
#include <string>

// Puts the text on the system clipboard; false when there is no clipboard to write to (no video
// subsystem, or the display refused).
bool set_clipboard_text(const std::string& text);
