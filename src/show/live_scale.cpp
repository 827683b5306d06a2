#include "show/live_scale.h"

#include <cstdio>

#include "core/random.h"
#include "show/app_state.h"
#include "show/render_scale.h"

void make_render_targets(double scale) {
    AppState& app = app_state();
    GraphicsContext& graphics = show_state().graphics;
    app.render_width = scaled_side(app.picture_width, scale);
    app.render_height = scaled_side(app.picture_height, scale);
    graphics.create_render_target(0, app.render_width, app.render_height, 0);
    graphics.create_render_target(1, app.render_width / 4, app.render_height / 4, 0);
    graphics.bind_window_framebuffer();
}

LiveScale::LiveScale(const RenderScaleChoice& choice, std::function<double()> seconds)
    : dynamic_(live_frame_budget_ms, choice.live_scale, choice.fixed_share),
      seconds_(std::move(seconds)),
      applied_(choice.scale) {}

void LiveScale::before_render(ShowState& show) {
    const double now = seconds_();
    // A frame faded out to black drew no pass: its time says nothing of what its scene costs.
    const bool composed = show.graphics.composed_frames != composed_before_;
    if (last_start_ >= 0 && !last_resized_ && composed)
        dynamic_.record(last_slot_, (now - last_start_) * 1000.0);
    last_start_ = now;
    composed_before_ = show.graphics.composed_frames;

    const int slot = show.driver.scene_slot;
    // A change is not seen on a cut to another scene, on a flash, or after a frame faded out or
    // nearly so.
    const bool after_dark = !composed || show.graphics.composed_picture_shown <= dark;
    const bool unseen = slot != last_slot_ || show.driver.flash.flash || after_dark;
    last_slot_ = slot;
    const double wanted = slot >= 0 ? dynamic_.scale_for(slot, unseen) : applied_;
    last_resized_ = wanted != applied_;
    if (!last_resized_) return;

    applied_ = wanted;
    // New textures get random first contents (drawn over before anything reads them); the
    // frame's random numbers are left where advancing it left them.
    const uint32_t kept = show_random().state();
    make_render_targets(wanted);
    // In load order, so that the targets' attachments end as loading left them.
    for (parts* scene : show.roster.slots)
        if (scene) scene->resize(show.graphics);
    seed_random(kept);
    std::printf("render scale %.2f from show time %.1f s (%dx%d)\n", wanted, show.driver.show_time,
                app_state().render_width, app_state().render_height);
    std::fflush(stdout);
}
