#include "app/author_mode.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>

#include <cstring>

#include "app/author_keys.h"
#include "platform/steady_clock.h"
#include "render/pass_timer.h"
#include "show/app_state.h"
#include "show/frame_driver.h"
#include "show/seek.h"
#include "show/show_state.h"
#include "show/timeline.h"

namespace {

// Seeks and single steps run at capture's default rate: the same frames capture runs.
constexpr int seek_fps = 30;
// Saved sources are looked at this often.
constexpr double shader_look_every = 0.25;

}  // namespace

AuthorMode::AuthorMode() = default;

AuthorMode::~AuthorMode() {
    if (kept_framebuffer_) glDeleteFramebuffers(1, &kept_framebuffer_);
    if (kept_texture_) glDeleteTextures(1, &kept_texture_);
    show_state().graphics.pass_timer = nullptr;
}

void AuthorMode::start(SDL_Window* window) {
    overlay_.open(window);
    ShowState& s = show_state();
    std::vector<ShaderLibrary*> libraries;
    for (parts* scene : s.roster.slots)
        if (scene && scene->shader_library()) libraries.push_back(scene->shader_library());
    shaders_.watch(libraries);
    // Timestamp queries where the GL has them, except on a software rasteriser, which stamps a
    // query before it shades (see capture): there every pass boundary waits for the GL instead.
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const bool software =
        renderer && (std::strstr(renderer, "llvmpipe") || std::strstr(renderer, "softpipe"));
    timer_ = std::make_unique<PassTimer>((GLEW_ARB_timer_query || GLEW_VERSION_3_3) && !software);
    s.graphics.pass_timer = timer_.get();
}

bool AuthorMode::key_down(int virtual_key) {
    const AuthorKey key = author_key(virtual_key);
    const double now = seek_asked_.value_or(show_state().driver.show_time);
    switch (key.action) {
        case AuthorKey::none:
            return false;
        case AuthorKey::pause:
            pause(!paused_);
            break;
        case AuthorKey::step:
            step_asked_ = paused_;
            break;
        case AuthorKey::seek_by:
            seek_asked_ = now + key.seconds;
            break;
        case AuthorKey::seek_to:
            seek_asked_ = key.seconds;
            break;
        case AuthorKey::overlay:
            overlay_shown_ = !overlay_shown_;
            break;
    }
    return true;
}

void AuthorMode::pause(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    ShowState& s = show_state();
    s.sound->pause(paused);
    // Resumed, the show goes on from here: the pause is no frame's elapsed time.
    if (!paused) s.driver.previous_reading = s.timer.reading();
}

bool AuthorMode::frame() {
    const AppState& app = app_state();
    if (seek_asked_) {
        seek(*seek_asked_);
        seek_asked_.reset();
    } else if (app.quit_requested || !paused_) {
        play_frame();
    } else if (step_asked_) {
        step_frame();
    } else {
        show_kept_picture();
        SDL_Delay(5);  // nothing moves: leave the machine to others
    }
    step_asked_ = false;

    if (steady_seconds() >= next_shader_look_) {
        next_shader_look_ = steady_seconds() + shader_look_every;
        ShaderWatch::News news = shaders_.reload_saved();
        if (!news.text.empty()) {
            shader_news_ = std::move(news);
            // The kept picture is redrawn with the new program.
            if (paused_) {
                render_frame();
                keep_picture();
            }
        }
    }
    if (timer_) {
        const PassTimer::FrameFigures figures = timer_->end_frame();
        if (!figures.pass_ms.empty()) pass_ms_ = figures.pass_ms;
    }
    draw_overlay();
    return true;
}

void AuthorMode::play_frame() {
    ShowState& s = show_state();
    advance_frame(live_inputs());
    render_frame();
    keep_picture();
    count_frame(steady_seconds());
    // At the show's end the last frame is held: an author seeks back rather than starts again.
    if (s.driver.show_time > end_of_show && !app_state().quit_requested) {
        s.sound->set_volume(all_channels, music_fade_volume(s.driver.show_time));
        pause(true);
        return;
    }
    finish_frame();
}

void AuthorMode::step_frame() {
    ShowState& s = show_state();
    FrameInputs in;
    in.timer_reading = s.driver.previous_reading + 1.0 / seek_fps;
    in.music_time = s.driver.music_time + 1.0 / seek_fps;
    s.sound->seek(in.music_time);
    in.spectrum = s.sound->spectrum();
    advance_frame(in);
    render_frame();
    keep_picture();
}

void AuthorMode::seek(double show_time) {
    const double start = steady_seconds();
    seek_show(show_time, seek_fps);
    glFinish();
    last_seek_ms_ = (steady_seconds() - start) * 1000.0;
    keep_picture();
}

void AuthorMode::keep_picture() {
    const AppState& app = app_state();
    if (!kept_texture_ || kept_width_ != app.window_width || kept_height_ != app.window_height) {
        if (!kept_texture_) glGenTextures(1, &kept_texture_);
        if (!kept_framebuffer_) glGenFramebuffers(1, &kept_framebuffer_);
        kept_width_ = app.window_width;
        kept_height_ = app.window_height;
        glBindTexture(GL_TEXTURE_2D, kept_texture_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kept_width_, kept_height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, kept_framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, kept_texture_, 0);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, kept_framebuffer_);
    glBlitFramebuffer(0, 0, kept_width_, kept_height_, 0, 0, kept_width_, kept_height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void AuthorMode::show_kept_picture() {
    if (!kept_framebuffer_) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, kept_framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, kept_width_, kept_height_, 0, 0, kept_width_, kept_height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void AuthorMode::count_frame(double now) {
    frame_times_.push_back(now);
    while (!frame_times_.empty() && frame_times_.front() < now - 1.0) frame_times_.pop_front();
}

void AuthorMode::draw_overlay() {
    if (!overlay_shown_) return;
    const ShowState& s = show_state();
    const AppState& app = app_state();
    AuthorFacts facts;
    facts.show_time = s.driver.show_time;
    facts.scene_slot = s.driver.scene_slot;
    facts.scene_clock = s.frame.params[0];
    facts.paused = paused_;
    facts.frames_per_second = paused_ ? 0.0 : static_cast<double>(frame_times_.size());
    facts.render_scale =
        app.picture_width > 0 ? static_cast<double>(app.render_width) / app.picture_width : 1.0;
    facts.last_seek_ms = last_seek_ms_;
    facts.pass_ms = pass_ms_;
    facts.shader_news = shader_news_.text;
    facts.shader_failed = shader_news_.failed;
    overlay_.draw(author_overlay_lines(facts));
}
