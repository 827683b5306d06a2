#include "show/frame_driver.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>

#include "core/random.h"
#include "platform/clipboard.h"
#include "show/app_state.h"
#include "show/music_clock.h"
#include "show/timeline.h"

namespace {

// Numbers drawn and thrown away after each frame's seeding: the first values after a seed
// differ little between nearby seeds.
constexpr int discarded_draws = 50;

// Steps the show clock by the timer and pulls it a tenth of the way toward the music. The
// frame's random numbers are seeded from the show time before the step.
void advance_clock(DriverState& d, const FrameInputs& in) {
    d.frame_dt = std::max(in.timer_reading - d.previous_reading, 0.0);
    d.previous_reading = in.timer_reading;

    seed_random(frame_seed(d.show_time));
    for (int i = 0; i < discarded_draws; ++i) random_int();

    d.music_time = in.music_time;
    d.frame_dt += music_correction(d.music_time, d.show_time);
}

// Fills the shared record for this frame, around the clock's advance (the cue is looked up at
// the show time before it).
void prepare_frame_state(ShowState& s, const AppState& app, const FrameInputs& in) {
    FrameState& f = s.frame;
    f.camera_x = f.camera_y = f.camera_z = 0;
    f.wheel_notches = app.wheel_total;
    f.cleared_a = f.cleared_b = 0;
    f.cue_value = s.cues.query(s.driver.show_time);

    s.driver.show_time += s.driver.frame_dt;
    f.show_time = s.driver.show_time;

    if (in.spectrum) std::copy_n(in.spectrum, spectrum_bands, f.spectrum);
    std::copy(std::begin(app.keys), std::end(app.keys), f.key_state);
    f.mode = 1;
}

void draw_quad(float half_height) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-1, -half_height, 0);
    glTexCoord2f(1, 0);
    glVertex3f(1, -half_height, 0);
    glTexCoord2f(1, 1);
    glVertex3f(1, half_height, 0);
    glTexCoord2f(0, 1);
    glVertex3f(-1, half_height, 0);
    glEnd();
}

// The picture overlay, added over whatever framebuffer the scene left bound. GL state is left
// as set: every scene sets up its own at the start of its render.
void draw_overlay(GraphicsContext& graphics, const AppState& app, const FlashState& flash) {
    glMatrixMode(GL_TEXTURE);
    glActiveTexture(GL_TEXTURE0);
    graphics.reset_fixed_function_state();

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glViewport(0, 0, app.picture_width, app.picture_height);
    graphics.bind_texture_slot(overlay_texture_base + flash.overlay);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65, 1, 1, 100);
    glEnable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);
    glScalef(0.16975f, 0.16741666f, 0);

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(0, 0, 0);
    if (flash.black_band) draw_quad(0.2f);

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor3f(1, 1, 1);
    draw_quad(1.0f);
}

// The quit fade: an opaque quad of the fade's grey on the window, facing the camera.
void draw_quit_fade(GraphicsContext& graphics, const AppState& app, double alpha) {
    glViewport(0, 0, app.window_width, app.window_height);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    graphics.bind_window_framebuffer();
    for (GLenum mode : {GL_PROJECTION, GL_TEXTURE, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glLoadIdentity();
    }
    glDisable(GL_CULL_FACE);
    glPushMatrix();
    graphics.reset_fixed_function_state();
    glLoadIdentity();
    gluLookAt(0, 3, 0, 0, 0, 0, 0, 0, 1);
    glScalef(1, 1, 0.7f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor3d(alpha, alpha, alpha);
    glDisable(GL_TEXTURE_2D);

    // Camera-facing: keep the view's translation, drop its rotation and scale.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row) m[column * 4 + row] = column == row ? 1.0f : 0.0f;
    glLoadMatrixf(m);
    glScalef(50, 50, 0);
    draw_quad(1.0f);

    glPopMatrix();
    glPopAttrib();
    glFlush();
}

}  // namespace

FrameInputs live_inputs(bool drawn) {
    ShowState& s = show_state();
    FrameInputs in;
    in.timer_reading = s.timer.reading();
    in.music_time = music_time(s.sound->position(), s.sound->rate(), s.driver.show_time);
    if (drawn) in.spectrum = s.sound->spectrum();
    return in;
}

void advance_frame(const FrameInputs& inputs) {
    ShowState& s = show_state();
    const AppState& app = app_state();
    DriverState& d = s.driver;
    FrameState& f = s.frame;

    advance_clock(d, inputs);
    prepare_frame_state(s, app, inputs);
    d.flash = flash_at(d.show_time);
    f.flash = d.flash.flash;

    d.scene_slot = scene_slot_at(d.show_time);
    if (d.scene_slot >= 0)
        if (parts* scene = s.roster.slots[d.scene_slot]) scene->advance(d.frame_dt, f);
    f.previous_flash = f.flash;

    if (app.quit_requested) f.params[quit_fade_param] = quit_fade(d.show_time, app.quit_time).fade_param;
}

void render_frame() {
    ShowState& s = show_state();
    const AppState& app = app_state();
    const DriverState& d = s.driver;

    if (d.scene_slot >= 0) {
        if (parts* scene = s.roster.slots[d.scene_slot]) {
            scene->render(s.graphics);
        } else {
            // A window whose slot holds no scene (one this build does not have) shows black, not
            // whatever the last frame left in the buffer.
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
    }
    if (d.flash.overlay >= 0) draw_overlay(s.graphics, app, d.flash);
    if (app.quit_requested) draw_quit_fade(s.graphics, app, quit_fade(d.show_time, app.quit_time).alpha);
}

void finish_frame() {
    ShowState& s = show_state();
    AppState& app = app_state();
    const double show_time = s.driver.show_time;

    s.sound->set_volume(all_channels, music_fade_volume(show_time));
    if (show_time > end_of_show) {
        s.sound->close();
        end_show(0);
        return;
    }
    if (app.quit_requested) {
        const QuitFade fade = quit_fade(show_time, app.quit_time);
        s.sound->set_volume(music_channel, fade.music_volume);
        if (fade.complete) {
            copy_to_clipboard(app.capture_text);
            s.sound->close();
            end_show(0);
        }
    }
}

bool draw_frame() {
    advance_frame(live_inputs());
    render_frame();
    finish_frame();
    return true;
}
