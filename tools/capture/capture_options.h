#pragma once
// brinefall-capture's command line.
#include <limits>
#include <string>
#include <vector>

struct CaptureOptions {
    int width = 640, height = 360;  // window (and render) size before --force-16x9
    int fps = 30;                   // frames per second of show time: the fixed step
    double from = 0;                // frames before this show time are simulated, not written
    double to = std::numeric_limits<double>::infinity();  // last frame time; default: the end
    int every = 1;                                        // write every K-th frame from --from on
    std::vector<double> at;  // instead of --from/--to/--every: the frames at these show times
    std::string out;         // PNG frames and frames.csv go here
    std::string video;       // an .mp4 encoded by ffmpeg, muxed with the music
    std::string stats;       // start-up and frame-time figures as JSON
    std::string sheet;       // a PNG tiling the stills written to `out`, labelled
    std::string show_dir;    // the show directory (working directory of the show)
    bool low_spec = false;
    bool force_16x9 = false;
    // The show's own sound output (the audio device, or its silent clock when there is none)
    // instead of the offline one: frames then depend on timing, not only on their number.
    bool live_sound = false;
    bool profile = false;  // per-pass times into the --stats file
    bool reference_chain =
        false;                  // the chain's programs as loaded (GraphicsContext::specialised_programs off)
    double render_scale = 1.0;  // 0: "auto"
    // Every frame is drawn, not only those written (or, with no --out or --video, those from
    // --from on): the frames in between are then no longer only advanced.
    bool draw_all = false;
};

// Parses argv[1..]. False with a one-line reason in `error` for an unknown option, a missing or
// malformed value, or values out of range (sizes 16..8192, fps 1..1000, every >= 1, from <= to),
// a --sheet without the --out folder whose stills it tiles, or --at with --from, --to, --every
// or --video.
bool parse_capture_options(int argc, const char* const* argv, CaptureOptions& options, std::string& error);

extern const char* const capture_usage;

// The frames of a run, counted from 0 at show time 0 in steps of 1/fps: the last one that is
// run (-1: no limit) and the first one that is written. A show time T names the first frame at
// or after it (within a millionth of a frame).
long last_frame(const CaptureOptions& options);
long first_written_frame(const CaptureOptions& options);
// Whether frame n is written (on or after --from, every K-th from there).
bool frame_is_written(const CaptureOptions& options, long n);
// Whether frame n is drawn: with --draw-all every frame; otherwise the written ones, or every
// frame from --from on when nothing is written (frame times for --stats). The others are only
// advanced: the show's state moves on and nothing is drawn, so the drawn frames are the same.
bool frame_is_drawn(const CaptureOptions& options, long n);
// Whether frame n is drawn only to prepare the next one, which is drawn while n is not: a frame's
// picture may read what the frame before it drew (once its mirrored pass has stopped, the toys
// scene's board reflects the previous frame's second output).
bool frame_prepares_next(const CaptureOptions& options, long n);
