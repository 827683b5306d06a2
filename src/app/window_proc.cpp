#include "app/window_proc.h"

#include <SDL2/SDL.h>

#include <cmath>
#include <cstdio>

#include "core/frame_state.h"
#include "platform/virtual_keys.h"
#include "render/graphics_context.h"
#include "show/app_state.h"

namespace {

constexpr int key_a = 'A';
constexpr int key_q = 'Q';
constexpr int wheel_delta_per_notch = 120;

// One "label x,y,z  " group in the C runtime's %g (6 significant digits), then `ending`.
std::string capture_group(const char* label, double x, double y, double z, const char* ending) {
    char text[160];
    std::snprintf(text, sizeof text, "%s%g,%g,%g  %s", label, x, y, z, ending);
    return text;
}

bool window_minimised(Uint32 window_id) {
    SDL_Window* window = SDL_GetWindowFromID(window_id);
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED);
}

// Handles the window's own events; false for those that count as default traffic.
bool handle_window_event(const SDL_WindowEvent& event, const WindowTarget& target) {
    switch (event.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            target.app.active = false;
            return true;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            target.app.active = true;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Losing the focus alone does not stop the show; only being minimised does.
            target.app.active = !window_minimised(event.windowID);
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESIZED:
            if (target.resize) target.resize(event.data1, event.data2);
            return true;
        case SDL_WINDOWEVENT_CLOSE: {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

void capture_developer_point(const WindowTarget& target) {
    FrameState& f = target.frame;
    f.picked_points.push_back(Vector3(Vector3::ordinary, static_cast<float>(f.point_x),
                                      static_cast<float>(f.point_y), static_cast<float>(f.point_z)));
    const Vector3& eye = target.view_camera.eye;
    target.app.capture_text += capture_group("Cam :", f.camera_x, f.camera_y, f.camera_z, "\n");
    target.app.capture_text += capture_group("Pnt :", f.point_x, f.point_y, f.point_z, "\n \n");
    target.app.capture_text += capture_group("MCr :", eye.x, eye.y, eye.z, "\n \n");
}

void apply_held_key_adjustments(const WindowTarget& target) {
    const uint8_t* keys = target.app.keys;
    FrameState& f = target.frame;
    if (keys[key_up]) f.adjust_b += 1.5 * target.frame_dt;
    if (keys[key_down]) f.adjust_b -= 1.5 * target.frame_dt;
    if (keys[key_a]) f.adjust_a -= target.frame_dt;
    if (keys[key_q]) f.adjust_a += target.frame_dt;
}

bool window_proc(const SDL_Event& event, const WindowTarget& target) {
    switch (event.type) {
        case SDL_QUIT:
            return true;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (const int code = virtual_key(event.key.keysym.sym)) {
                target.app.keys[code] = event.type == SDL_KEYDOWN ? 1 : 0;
                if (code == key_escape && event.type == SDL_KEYDOWN) target.app.escape_pressed = true;
            }
            return false;
        case SDL_MOUSEWHEEL: {
            // Whole-notch deltas of 120 as the show counts them; a half notch adds nothing.
            float notches = event.wheel.preciseY;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            const int delta = static_cast<int>(std::lround(notches * wheel_delta_per_notch));
            target.app.wheel_total += delta / wheel_delta_per_notch;
            return false;
        }
        case SDL_WINDOWEVENT:
            if (handle_window_event(event.window, target)) return false;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_MIDDLE) capture_developer_point(target);
            break;
        default:
            break;
    }
    apply_held_key_adjustments(target);
    return false;
}
