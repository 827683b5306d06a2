#include "app/setup_choice.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "show/app_state.h"
#include "show/render_scale.h"

std::string resolution_line(DisplayMode mode) {
    const double ratio = static_cast<double>(mode.width) / mode.height;
    const char* format = " %d x %d       ";
    if (std::fabs(ratio - 1.6) < 0.01)
        format = " %d x %d  (16:10)";
    else if (std::fabs(ratio - 16.0 / 9.0) < 0.01)
        format = " %d x %d  (16:9)";
    char line[64];
    std::snprintf(line, sizeof line, format, mode.width, mode.height);
    return line;
}

int preselected_mode(const std::vector<DisplayMode>& modes) {
    for (DisplayMode wanted : {DisplayMode{1280, 720}, DisplayMode{1024, 768}})
        for (int i = static_cast<int>(modes.size()) - 1; i >= 0; --i)
            if (modes[i] == wanted) return i;
    return modes.empty() ? -1 : 0;
}

SetupChoice run_choice(DisplayMode mode, const SetupOptions& options) {
    SetupChoice choice;
    choice.fullscreen = !options.windowed;
    choice.low_spec = options.low_spec;
    choice.author_mode = options.author_mode;
    choice.antialias = options.antialiased;
    choice.window_width = mode.width;
    choice.window_height = mode.height;
    choice.render_width = mode.width;
    choice.render_height = mode.height;
    if (options.force_16_9) {
        // Rounded to single precision before truncating, as the show has always computed it.
        const int height = static_cast<int>(static_cast<float>(mode.width / (16.0 / 9.0)));
        choice.render_height = height;
        // In full screen the display keeps its mode and only the rendered area is 16:9.
        if (options.windowed) choice.window_height = height;
    }
    choice.picture_width = choice.render_width;
    choice.picture_height = choice.render_height;
    choice.render_scale_auto = options.render_scale == 0.0;
    if (!choice.render_scale_auto && options.render_scale != render_scale_unchosen) {
        choice.render_width = scaled_side(choice.picture_width, options.render_scale);
        choice.render_height = scaled_side(choice.picture_height, options.render_scale);
    }
    return choice;
}

bool software_renderer(std::string_view renderer) {
    std::string lower(renderer);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (std::string_view name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
        if (lower.find(name) != std::string::npos) return true;
    return false;
}

double preselected_render_scale(std::string_view renderer) { return software_renderer(renderer) ? 0.0 : 1.0; }

bool parse_render_scale(std::string_view text, double& scale) {
    if (text == "auto") {
        scale = 0;
        return true;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !(value >= 0.1 && value <= 1.0)) return false;
    scale = value;
    return true;
}

std::string render_scale_label(double scale) {
    if (scale <= 0.0) return "auto";
    char text[16];
    std::snprintf(text, sizeof text, "%g", scale);
    return text;
}

void apply_choice(const SetupChoice& choice, AppState& app) {
    app.fullscreen = choice.fullscreen;
    app.window_width = choice.window_width;
    app.window_height = choice.window_height;
    app.render_width = choice.render_width;
    app.render_height = choice.render_height;
    app.picture_width = choice.picture_width;
    app.picture_height = choice.picture_height;
    app.render_scale_auto = choice.render_scale_auto;
    app.low_spec = choice.low_spec;
    app.author_mode = choice.author_mode;
    app.antialias = choice.antialias;
}
