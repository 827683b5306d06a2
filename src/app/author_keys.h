#pragma once
// Author mode's keys, all of them keys the show's own controls leave alone, and the overlay's
// lines: plain data, so that both can be checked without a window.
//
//   P             pause / resume (the music with it)
//   . (period)    one frame forward while paused
//   Left / Right  one second back / forward
//   PgDn / PgUp   ten seconds back / forward
//   Home          the start of the show
//   1 .. 4        the start of the opening, the toys, the middle and the final scene
//   Tab           hide / show the overlay
#include <string>
#include <utility>
#include <vector>

struct AuthorKey {
    enum Action { none, pause, step, seek_by, seek_to, overlay } action = none;
    double seconds = 0;  // how far for seek_by, where to for seek_to
};

// What the key with this virtual-key code does in author mode.
AuthorKey author_key(int virtual_key);

// The help line the overlay ends with.
inline constexpr const char* author_help =
    "P pause  . frame  Left/Right 1 s  PgDn/PgUp 10 s  Home start  1-4 scene  Tab overlay";

// What the overlay tells.
struct AuthorFacts {
    double show_time = 0;
    int scene_slot = -1;  // -1: between the scenes' windows
    double scene_clock = 0;
    bool paused = false;
    double frames_per_second = 0;
    double render_scale = 1;
    double last_seek_ms = -1;  // -1: no seek yet
    std::vector<std::pair<std::string, double>> pass_ms;
    std::string shader_news;  // the last reload, or the compiler's complaint
    bool shader_failed = false;
};

// The overlay's text, line by line; the help line last. A line that warns (the compiler's
// complaint) starts with '!'.
std::vector<std::string> author_overlay_lines(const AuthorFacts& facts);
