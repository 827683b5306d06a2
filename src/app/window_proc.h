#pragma once
// The show window's event handling: SDL events stand in for the desktop messages the show was
// written against. It records held keys and the wheel, tracks minimising, resizes the GL scene,
// captures the developer point on a middle click, and moves the developer adjustments while Up,
// Down, A or Q is held -- once per event that is not a key, wheel, size, activation, close or
// quit event, so they move with mouse motion and other traffic, not with frames.
#include <string>

union SDL_Event;
struct AppState;
struct FrameState;
struct CameraRecord;

// What the handler works on; the shell passes the shared records, tests their own.
struct WindowTarget {
    AppState& app;
    FrameState& frame;                // the shared FrameState: adjustments and picked points
    const CameraRecord& view_camera;  // its eye is written by the middle-click capture
    double frame_dt;                  // the last frame's step, scaling the adjustments
    void (*resize)(int width, int height);
};

// Handles one event; true when it is the quit message that ends the message loop. Closing the
// window posts that quit message.
bool window_proc(const SDL_Event& event, const WindowTarget& target);

// The middle-click capture: records the developer point and appends its three text groups.
void capture_developer_point(const WindowTarget& target);

// The held-key adjustments of one event.
void apply_held_key_adjustments(const WindowTarget& target);
