#pragma once
// Moving the show to any moment. The show's state at a moment depends on the frames before it
// (the scenes' clocks hold during flashes and jump, ropes swing), so a seek replays the show from
// its start: every scene rewound, then frame after frame advanced without drawing at a fixed
// step, as capture runs it, until the show time reaches the moment. Only the frame it lands on is
// drawn, after the frame before it (a frame may read what the one before it drew: the toys
// scene's board reflects the previous frame). Seeking back is a seek from the start like any
// other, so it lands on the same picture as a fresh seek forward.

// The driver and the shared FrameState as start-up left them, and every scene rewound.
void rewind_show();

// Rewinds, replays at `fps` frames a second until the show time reaches `show_time` (clamped to
// the show's length), moves the music there and draws the frame (GL), without presenting it.
// The live timer goes on from this moment. Returns the show time reached.
double seek_show(double show_time, int fps);

// Every pass and material of every scene drawn once before the show starts, so that the GL's
// own work at a first draw (a software GL compiles its shader variants and allocates storage
// there, a GPU driver compiles its own) is done while the loading screen shows, not in the
// middle of a scene: the show is replayed at `fps` and a frame drawn every `every` seconds of
// show time, most of them scissored to one pixel so that they cost little; then it is rewound.
// Returns the number of frames drawn.
int warm_up_show(double every, int fps);
