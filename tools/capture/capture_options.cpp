#include "tools/capture/capture_options.h"

#include "app/setup_choice.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

const char* const capture_usage =
    "usage: brinefall-capture [options]\n"
    "  --size WxH        window and render size (default 640x360)\n"
    "  --fps N           frames per second of show time (default 30)\n"
    "  --from T          first written show time in seconds (the show runs forward to it\n"
    "                    without drawing: seconds, not minutes)\n"
    "  --to T            last show time in seconds (default: until the show ends)\n"
    "  --every K         write every K-th frame (default 1); the frames between are not drawn\n"
    "  --at T1,T2,...    write the frames at these show times instead (not with --from, --to,\n"
    "                    --every or --video)\n"
    "  --draw-all        draw every frame from the show's start, written or not (the same\n"
    "                    pictures, slower: for checking the fast way against it)\n"
    "  --out DIR         PNG per written frame and frames.csv\n"
    "  --video FILE.mp4  encode the written frames with ffmpeg, muxed with the music\n"
    "  --stats FILE.json start-up and per-scene frame times\n"
    "  --sheet FILE.png  the stills written to --out tiled, each labelled with its show time\n"
    "  --profile         adds to --stats the median and mean milliseconds of every pass of\n"
    "                    every scene and the chain's draw calls and state changes per frame\n"
    "  --reference-chain draw with the chain's programs as loaded instead of their copies\n"
    "                    specialised per frame, and every pass, also those whose pictures nothing\n"
    "                    reads (the same pictures, slower: for comparing the two)\n"
    "  --render-scale S  render the scenes at S (0.1..1) of the picture size, or \"auto\": the\n"
    "                    largest scale that holds 24 frames per second here (default 1)\n"
    "  --low-spec        the setup dialog's \"Low spec GPU\"\n"
    "  --force-16x9      the setup dialog's \"Force 16:9\" (the window becomes 16:9)\n"
    "  --live-sound      play through the audio device as the show does (silently, in time, when\n"
    "                    there is none); the frames then depend on timing\n"
    "  --show-dir DIR    the show directory (default: show/ beside the program if it exists,\n"
    "                    else the current directory)\n"
    "  --help, --version this text; the version\n"
    "Ctrl-C (SIGINT) or SIGTERM stops at the next frame and keeps what was written (exit code\n"
    "130 or 143).\n";

namespace {

constexpr double longest_show = 100000;  // seconds; keeps frame numbers well inside a long

bool parse_int(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool parse_seconds(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

// Comma-separated show times, each 0..longest_show.
bool parse_times(std::string_view text, std::vector<double>& times) {
    times.clear();
    for (;;) {
        const size_t comma = text.find(',');
        double t = 0;
        if (!parse_seconds(text.substr(0, comma), t) || t < 0 || t > longest_show) return false;
        times.push_back(t);
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

long frame_at(double t, int fps) { return static_cast<long>(std::ceil(t * fps - 1e-6)); }

bool parse_size(std::string_view text, int& width, int& height) {
    const size_t x = text.find('x');
    return x != std::string_view::npos && parse_int(text.substr(0, x), width) &&
           parse_int(text.substr(x + 1), height);
}

}  // namespace

bool parse_capture_options(int argc, const char* const* argv, CaptureOptions& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--low-spec") {
            o.low_spec = true;
            continue;
        }
        if (arg == "--force-16x9") {
            o.force_16x9 = true;
            continue;
        }
        if (arg == "--live-sound") {
            o.live_sound = true;
            continue;
        }
        if (arg == "--profile") {
            o.profile = true;
            continue;
        }
        if (arg == "--reference-chain") {
            o.reference_chain = true;
            continue;
        }
        if (arg == "--draw-all") {
            o.draw_all = true;
            continue;
        }
        static constexpr std::string_view valued[] = {"--size",  "--fps",      "--from",         "--to",
                                                      "--every", "--out",      "--video",        "--stats",
                                                      "--sheet", "--show-dir", "--render-scale", "--at"};
        if (std::find(std::begin(valued), std::end(valued), arg) == std::end(valued)) {
            error = std::string(arg) + ": unknown option";
            return false;
        }
        if (i + 1 >= argc) {
            error = std::string(arg) + ": missing value";
            return false;
        }
        const std::string_view value = argv[++i];
        bool ok = true;
        if (arg == "--size")
            ok = parse_size(value, o.width, o.height);
        else if (arg == "--fps")
            ok = parse_int(value, o.fps);
        else if (arg == "--from")
            ok = parse_seconds(value, o.from);
        else if (arg == "--to")
            ok = parse_seconds(value, o.to);
        else if (arg == "--every")
            ok = parse_int(value, o.every);
        else if (arg == "--out")
            o.out = value;
        else if (arg == "--video")
            o.video = value;
        else if (arg == "--stats")
            o.stats = value;
        else if (arg == "--sheet")
            o.sheet = value;
        else if (arg == "--render-scale")
            ok = parse_render_scale(value, o.render_scale);
        else if (arg == "--at")
            ok = parse_times(value, o.at);
        else
            o.show_dir = value;
        if (!ok) {
            error = std::string(arg) + ": malformed value \"" + std::string(value) + "\"";
            return false;
        }
    }
    if (o.width < 16 || o.height < 16 || o.width > 8192 || o.height > 8192) {
        error = "--size: each side must be 16..8192";
        return false;
    }
    if (o.fps < 1 || o.fps > 1000) {
        error = "--fps: must be 1..1000";
        return false;
    }
    if (o.every < 1) {
        error = "--every: must be 1 or more";
        return false;
    }
    if (o.from < 0 || o.from > longest_show || o.from > o.to ||
        (std::isfinite(o.to) && o.to > longest_show)) {
        error = "--from and --to: need 0 <= from <= to <= 100000";
        return false;
    }
    if (!o.at.empty() && (o.from != 0 || !std::isinf(o.to) || o.every != 1 || !o.video.empty())) {
        error = "--at: names the frames itself, so no --from, --to, --every or --video with it";
        return false;
    }
    if (!o.sheet.empty() && o.out.empty()) {
        error = "--sheet: needs --out DIR, the stills it tiles";
        return false;
    }
    return true;
}

// A frame time within a millionth of a frame of T counts as T, so --to 3 at 10 fps includes
// frame 30 whatever the decimal rounding of 3 * 10.
long last_frame(const CaptureOptions& o) {
    if (!o.at.empty()) return frame_at(*std::max_element(o.at.begin(), o.at.end()), o.fps);
    if (std::isinf(o.to)) return -1;
    return static_cast<long>(std::floor(o.to * o.fps + 1e-6));
}

long first_written_frame(const CaptureOptions& o) {
    if (!o.at.empty()) return frame_at(*std::min_element(o.at.begin(), o.at.end()), o.fps);
    return frame_at(o.from, o.fps);
}

bool frame_is_written(const CaptureOptions& o, long n) {
    if (!o.at.empty())
        return std::any_of(o.at.begin(), o.at.end(), [&](double t) { return frame_at(t, o.fps) == n; });
    const long first = first_written_frame(o);
    return n >= first && (n - first) % o.every == 0;
}

bool frame_is_drawn(const CaptureOptions& o, long n) {
    if (o.draw_all) return true;
    const bool writes = !o.out.empty() || !o.video.empty();
    return writes ? frame_is_written(o, n) : n >= first_written_frame(o);
}

bool frame_prepares_next(const CaptureOptions& o, long n) {
    return !frame_is_drawn(o, n) && frame_is_drawn(o, n + 1);
}
