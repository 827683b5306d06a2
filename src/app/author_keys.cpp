#include "app/author_keys.h"

#include <algorithm>
#include <cstdio>

#include "platform/virtual_keys.h"
#include "show/timeline.h"

namespace {

constexpr int key_tab = 9, key_page_up = 33, key_page_down = 34, key_home = 36, key_p = 'P', key_period = 190;
constexpr double small_step = 1.0, large_step = 10.0;
constexpr const char* scene_names[] = {"opening", "toys", "middle", "final scene"};

// Where each scene's window starts; the final scene's is open at its start, so one frame on.
double scene_start(int slot) {
    const SceneWindow& window = scene_windows[slot];
    return window.start_inclusive ? std::max(window.start, 0.0) : window.start + 1.0 / 30;
}

std::string format(const char* pattern, double a, double b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

}  // namespace

AuthorKey author_key(int key) {
    switch (key) {
        case key_p:
            return {AuthorKey::pause};
        case key_period:
            return {AuthorKey::step};
        case key_left:
            return {AuthorKey::seek_by, -small_step};
        case key_right:
            return {AuthorKey::seek_by, small_step};
        case key_page_down:
            return {AuthorKey::seek_by, -large_step};
        case key_page_up:
            return {AuthorKey::seek_by, large_step};
        case key_home:
            return {AuthorKey::seek_to, 0.0};
        case key_tab:
            return {AuthorKey::overlay};
        default:
            break;
    }
    if (key >= '1' && key <= '4') return {AuthorKey::seek_to, scene_start(key - '1')};
    return {};
}

std::vector<std::string> author_overlay_lines(const AuthorFacts& f) {
    std::vector<std::string> lines;
    const char* scene = f.scene_slot >= 0 && f.scene_slot < 4 ? scene_names[f.scene_slot] : "no scene";
    lines.push_back(format("show %7.2f s", f.show_time) + "   " + scene +
                    format("   clock %.2f", f.scene_clock) + (f.paused ? "   PAUSED" : ""));
    lines.push_back(format("%.1f frames/s   render scale %.2f", f.frames_per_second, f.render_scale) +
                    (f.last_seek_ms >= 0 ? format("   last seek %.0f ms", f.last_seek_ms) : ""));
    for (const auto& [pass, ms] : f.pass_ms)
        if (pass.find('/') == std::string::npos) lines.push_back(format("%6.1f ms  ", ms) + pass);
    size_t from = 0;
    while (from < f.shader_news.size()) {
        const size_t end = std::min(f.shader_news.find('\n', from), f.shader_news.size());
        lines.push_back((f.shader_failed ? "!" : "") + f.shader_news.substr(from, end - from));
        from = end + 1;
    }
    lines.push_back(author_help);
    return lines;
}
