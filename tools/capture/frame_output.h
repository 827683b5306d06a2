#pragma once
// Where captured frames go: PNG files and frames.csv in a folder, and/or an ffmpeg pipe.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A frame as glReadPixels returns it: RGBA rows, bottom row first.
struct CapturedFrame {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

// Reads the window framebuffer's back buffer; the GL read state is restored afterwards.
CapturedFrame read_window_pixels(int width, int height);

// A show time as frames.csv records it and the contact sheet labels it: to the microsecond,
// without trailing zeros but with at least one decimal ("30.2", "30.0", "0.35").
std::string show_time_text(double seconds);

// PNG per frame ("frame_NNNNNN.png", the frame number) plus frames.csv with one row per written
// frame: frame number, show time (show_time_text), the roster slot that drew last (-1: none),
// params[0] as the scene left it, and the milliseconds the frame took.
class FrameFolder {
public:
    // Creates the folder; false (with a reason on stderr) when that or the CSV fails.
    bool open(const std::string& folder);
    bool write(long frame, double show_time, int slot, double scene_clock, double ms,
               const CapturedFrame& pixels);
    void close();
    bool is_open() const { return csv_ != nullptr; }

private:
    std::string folder_;
    std::FILE* csv_ = nullptr;
};

// Raw frames piped into ffmpeg, encoded as H.264 and muxed with the music from `music_from`
// seconds on (when the music file exists).
class VideoPipe {
public:
    bool open(const std::string& file, int width, int height, int fps, int every,
              const std::string& music_file, double music_from);
    bool write(const CapturedFrame& pixels);
    // Waits for ffmpeg; false when it failed.
    bool close();
    bool is_open() const { return pipe_ != nullptr; }

private:
    std::FILE* pipe_ = nullptr;
};
