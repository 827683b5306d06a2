#pragma once
// Start-up: runs once, after the GL context exists and before the first frame.
//
// Before calling it the program hands the show its window and its scene constructors
// (attach_show), and may install another sound output or timer clock in show_state() (capture
// does). start_up then, in order: prepares the GraphicsContext (progress callback, GL vendor,
// GLEW, render targets 0 and 1 at the render size and a quarter of it, texture options, the
// low-spec choice), creates the loading FrameState, constructs, loads and presents the loading
// screen, constructs and loads the show scenes one after the other into roster slots 0..3
// (the loading screen advancing through the progress callback; the music decodes meanwhile on a
// thread of its own), readies the sound with the music, fills the cue table, sets the show time
// and the shared FrameState to their start, draws the show's warm-up frames (warm_up_show in
// seek.h), then starts the music and resets the timer.
//
// A sound failure ends the process through AppState::end_process after its message box:
// "Problem initializing FMod. \nProgram will now exit." (exit code 1) when the sound cannot
// start, "Problem initializing FMod. \nNo sound file." (exit code 0) when the music file cannot
// be loaded. Both come after every scene has loaded. A scene whose motion clip is missing ends
// the process while loading, after a box captioned "Bvh" naming the file (exit code 0).
#include "show/roster.h"

struct SDL_Window;

// The music file, relative to the show directory.
inline constexpr const char* kMusicFile = "music//xo. + lu - mixed tracks (1+2).ogg";

// The window the loading frames are presented to, and the constructors of the loading screen
// and the four show scenes (the show's own table is show_scene_factories() from src/scenes).
void attach_show(SDL_Window* window, SceneFactories scenes);

void start_up();

// The graphics context's progress callback: draws the loading screen one step further (the
// reported step weighted by 0.567) and presents it.
void show_loading_progress(double step);
