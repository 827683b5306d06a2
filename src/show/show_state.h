#pragma once
// The show's application state: the frame driver's clock, the shared FrameState, the cue table,
// the timer, the sound, the scene roster and the one GraphicsContext. One instance for the whole
// process (show_state()); start-up fills it and the frame driver runs on it.
#include <memory>

#include "core/frame_state.h"
#include "platform/sound.h"
#include "render/graphics_context.h"
#include "show/cue_table.h"
#include "show/roster.h"
#include "show/show_timer.h"
#include "show/timeline.h"

struct DriverState {
    double show_time = 0;         // the show's position, seconds
    double frame_dt = 0;          // this frame's step after the music correction
    double previous_reading = 0;  // ShowTimer reading at the previous frame
    double music_time = 0;        // music position of this frame, seconds
    int scene_slot = -1;          // the roster slot whose window holds the show time; -1: none
    FlashState flash;             // this frame's flash flag and picture overlay
};

struct ShowState {
    DriverState driver;
    ShowTimer timer;
    CueTable cues;
    FrameState frame;          // the shared record the scenes copy and write back
    FrameState start_frame;    // the shared record as start-up left it, for replaying the show
    FrameState loading_frame;  // used only while start-up loads the scenes
    Roster roster;
    SceneFactories scene_factories;  // handed over by the program before start-up
    GraphicsContext graphics;
    // Start-up draws a frame every this many seconds of the show before it starts (warm_up_show
    // in seek.h); 0 skips the warm-up.
    double warm_up_every = 3.0;
    // The music output. Start-up plays through the audio device unless the program installed
    // another output first (capture installs the offline one).
    std::unique_ptr<SoundOutput> sound;
};

ShowState& show_state();

// Ends the process with the exit code through AppState::end_process, or exit() when the program
// installed none. Returns only when an installed end_process returns (tests).
void end_show(int exit_code);
