#include "tools/capture/frame_output.h"

#include <GL/glew.h>

#include <cinttypes>
#include <filesystem>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

namespace {

// Quotes a path for the shell that popen runs.
std::string shell_quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::string show_time_text(double seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", seconds);
    std::string out = text;
    while (out.back() == '0' && out[out.size() - 2] != '.') out.pop_back();
    return out == "-0.0" ? "0.0" : out;
}

CapturedFrame read_window_pixels(int width, int height) {
    GLint read_framebuffer = 0, read_buffer = 0, alignment = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read_framebuffer);
    glGetIntegerv(GL_READ_BUFFER, &read_buffer);
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    CapturedFrame frame{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba.data());

    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, read_framebuffer);
    // Framebuffer 0 takes GL_BACK; a framebuffer object only colour attachments.
    glReadBuffer(static_cast<GLenum>(read_buffer));
    return frame;
}

bool FrameFolder::open(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "brinefall-capture: cannot create %s: %s\n", folder.c_str(),
                     ec.message().c_str());
        return false;
    }
    folder_ = folder;
    const std::string csv = folder + "/frames.csv";
    csv_ = std::fopen(csv.c_str(), "w");
    if (!csv_) {
        std::fprintf(stderr, "brinefall-capture: cannot write %s\n", csv.c_str());
        return false;
    }
    std::fprintf(csv_, "frame,show_time,scene_slot,scene_clock,cpu_ms\n");
    std::fflush(csv_);
    return true;
}

bool FrameFolder::write(long frame, double show_time, int slot, double scene_clock, double ms,
                        const CapturedFrame& pixels) {
    // RGBA bottom-up to BGR top-down, as the PNG encoder takes it.
    cv::Mat rgba(pixels.height, pixels.width, CV_8UC4, const_cast<uint8_t*>(pixels.rgba.data()));
    cv::Mat bgr;
    cv::cvtColor(rgba, bgr, cv::COLOR_RGBA2BGR);
    cv::flip(bgr, bgr, 0);
    char name[32];
    std::snprintf(name, sizeof name, "/frame_%06ld.png", frame);
    const std::string path = folder_ + name;
    if (!cv::imwrite(path, bgr, {cv::IMWRITE_PNG_COMPRESSION, 6})) {
        std::fprintf(stderr, "brinefall-capture: cannot write %s\n", path.c_str());
        return false;
    }
    std::fprintf(csv_, "%ld,%s,%d,%.6f,%.3f\n", frame, show_time_text(show_time).c_str(), slot, scene_clock,
                 ms);
    // A row per PNG on disk at all times, even when a second Ctrl-C ends capture at once.
    std::fflush(csv_);
    return true;
}

void FrameFolder::close() {
    if (csv_) std::fclose(csv_);
    csv_ = nullptr;
}

bool VideoPipe::open(const std::string& file, int width, int height, int fps, int every,
                     const std::string& music_file, double music_from) {
    std::string command = "ffmpeg -hide_banner -loglevel error -y -f rawvideo -pix_fmt rgba -s " +
                          std::to_string(width) + "x" + std::to_string(height) + " -framerate " +
                          std::to_string(fps) + "/" + std::to_string(every) + " -i -";
    const bool music = std::filesystem::exists(music_file);
    if (music) {
        char from[32];
        std::snprintf(from, sizeof from, "%.6f", music_from);
        command += std::string(" -ss ") + from + " -i " + shell_quoted(music_file) +
                   " -map 0:v -map 1:a -c:a aac -b:a 192k -shortest";
    }
    command += " -vf vflip -c:v libx264 -preset veryfast -crf 18 -pix_fmt yuv420p " + shell_quoted(file);
    // In a session of its own, so that Ctrl-C at the terminal reaches capture alone: ffmpeg
    // would stop at once and drop the frames still in the pipe. Capture instead closes the pipe
    // after its last frame and ffmpeg finishes the file.
    pipe_ = popen(("exec setsid " + command).c_str(), "w");
    if (!pipe_) std::fprintf(stderr, "brinefall-capture: cannot start ffmpeg\n");
    return pipe_ != nullptr;
}

bool VideoPipe::write(const CapturedFrame& pixels) {
    return std::fwrite(pixels.rgba.data(), 1, pixels.rgba.size(), pipe_) == pixels.rgba.size();
}

bool VideoPipe::close() {
    if (!pipe_) return true;
    const int status = pclose(pipe_);
    pipe_ = nullptr;
    return status == 0;
}
