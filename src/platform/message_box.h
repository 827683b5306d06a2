#pragma once
// Modal message boxes. Every box is also written to stderr as "CAPTION: TEXT", so a run without a
// display, a log or a test sees what the viewer would have read. Programs that must never block
// (capture, tests) switch boxes to non-interactive: they are then only printed, and the call
// returns the default answer at once. Without a display the box is printed and answered the same
// way.
#include <string>

enum class MessageButtons { ok, yes_no };
enum class MessageIcon { information, exclamation, stop };
enum class MessageAnswer { ok, yes, no };

// Shows the box and returns the viewer's answer. The default answer (Enter, or no viewer) is the
// first button: ok, or yes for a yes/no box.
MessageAnswer message_box(const std::string& caption, const std::string& text, MessageButtons buttons,
                          MessageIcon icon);

// Interactive by default.
void set_message_boxes_interactive(bool interactive);
