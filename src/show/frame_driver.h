#pragma once
// The frame driver: called by the message loop on every idle pass while the window is active.
// A frame is three steps, so that the show can be run forward without drawing:
//   advance_frame  steps the show clock (locked to the music until 470 s), seeds the frame's
//                  random numbers, fills the shared FrameState and the flash flags, and advances
//                  the scene whose time window holds the show time. No GL.
//   render_frame   draws that scene's picture (black for a window whose slot has no scene), the
//                  timed picture overlay and, while the show quits, the fade. GL only.
//   finish_frame   fades the music out from 495 s and ends the process after 506 s of show time
//                  or once the quit sequence started by Escape has completed (the fade frame is
//                  never presented; the developer capture text goes to the clipboard first).
// Exactly one scene runs per frame: a scene cannot move the show time.
//
// The process ends through AppState::end_process. When that returns (tests install one that
// does), the frame ends there.
#include "show/show_state.h"

// What a frame reads from outside the show.
struct FrameInputs {
    double timer_reading = 0;  // the ShowTimer's seconds
    double music_time = 0;     // seconds of music played (music_clock.h)
    // spectrum_bands values of the music's spectrum; null for a frame that will not be drawn
    // (the record keeps the last ones: nothing but drawing reads them).
    const float* spectrum = nullptr;
};

// The show's own timer and sound, read once each; the spectrum only for a frame that will be
// drawn.
FrameInputs live_inputs(bool drawn = true);

void advance_frame(const FrameInputs& inputs);
void render_frame();
void finish_frame();

// The live frame: advance_frame(live_inputs()), render_frame, finish_frame. Always true: a false
// result would be taken like Escape by the message loop.
bool draw_frame();
