#pragma once
// Author mode: the show with live controls for whoever works on it (brinefall --author, or the
// setup dialog's "Author mode"); its keys are listed in author_keys.h. Without it the show runs
// exactly as it always does.
//
// Playing, a frame is the show's own (draw_frame). Paused, the picture last drawn is kept and
// shown again under the overlay; "one frame forward" advances one 30th of a second. A seek
// replays the show from its start without drawing (show/seek.h) and moves the music with it.
// At the end of the show the last frame is held instead of ending the process; Escape still
// ends it. Saved shader sources are reloaded in every scene that uses them (shader_watch.h).
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/author_overlay.h"
#include "app/shader_watch.h"

class PassTimer;
struct SDL_Window;

class AuthorMode {
public:
    AuthorMode();
    ~AuthorMode();

    // On the show's window, once start-up is over.
    void start(SDL_Window* window);
    // A key went down (virtual-key code): true when it is one of author mode's.
    bool key_down(int virtual_key);
    // One idle pass's frame, in the message loop's place of draw_frame; always true.
    bool frame();

    bool paused() const { return paused_; }

private:
    void pause(bool paused);
    void play_frame();
    void step_frame();
    void seek(double show_time);
    // The window's picture as the last frame drew it (without the overlay), drawn back while
    // paused: a drawn frame is not drawn again.
    void keep_picture();
    void show_kept_picture();
    void draw_overlay();
    void count_frame(double now);

    AuthorOverlay overlay_;
    ShaderWatch shaders_;
    std::unique_ptr<PassTimer> timer_;
    bool paused_ = false;
    bool step_asked_ = false;
    bool overlay_shown_ = true;
    std::optional<double> seek_asked_;
    double last_seek_ms_ = -1;
    ShaderWatch::News shader_news_;
    double next_shader_look_ = 0;
    std::deque<double> frame_times_;  // the last second's frames, steady seconds
    std::vector<std::pair<std::string, double>> pass_ms_;
    unsigned kept_texture_ = 0, kept_framebuffer_ = 0;
    int kept_width_ = 0, kept_height_ = 0;
};
