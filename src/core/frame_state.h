#pragma once
// The per-frame record the frame driver fills and every scene copies, reads and writes back.
//
// A show scene takes a copy of the shared record at the start of its draw and assigns the copy
// back at the end, so whatever the scene keeps in its copy (its clock in params[0]) survives the
// frame and anything written straight into the shared record meanwhile does not. The record is
// copyable as a whole, the picked points by value.
#include <vector>

#include "core/vector3.h"

struct FrameState {
    // Developer camera, zeroed by the driver every frame; printed by the capture after "Cam :".
    double camera_x = 0, camera_y = 0, camera_z = 0;
    int wheel_notches = 0;             // mouse-wheel total so far
    double adjust_a = 0;               // developer adjustment, held A / Q
    double adjust_b = 0;               // developer adjustment, held Up / Down
    int cleared_a = 0, cleared_b = 0;  // zeroed by the driver every frame; free for the scenes
    // Developer point, recorded by a middle click; printed after "Pnt :".
    double point_x = 0, point_y = 0, point_z = 0;
    bool started[32] = {};
    bool done[32] = {};
    double show_time = 0;
    std::vector<Vector3> picked_points;  // middle-click points, state 1
    int cue_value = 0;                   // the cue table's value at this frame's show time
    int mode = 0;                        // 1 during the show and while loading
    float spectrum[512] = {};            // the music spectrum, in the sound layer's order
    // Free parameters. The scenes keep their clock in params[0]; params[10] is the quit-fade
    // factor, 1 falling to 0 while the show quits.
    double params[32] = {};
    int key_state[256] = {};  // held keys by virtual-key code, 0 or 1
    bool flash = false;       // this frame lies in a flash window
    bool previous_flash = false;
    Vector3 reference{Vector3::ordinary, 0.0f, 0.0f, 0.0f};

    bool operator==(const FrameState&) const = default;
};

// The index of the quit-fade factor in params.
inline constexpr int quit_fade_param = 10;
