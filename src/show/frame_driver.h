#pragma once
// The frame driver: called by the message loop on every idle pass while the window is active.
// One call advances the show clock (locked to the music until 470 s), fills the shared
// FrameState, lets the scene whose time window holds the show time draw (a scene that moves the
// show time across a boundary makes the next scene draw in the same frame), adds the timed
// picture overlay, fades the music out from 495 s, and ends the process after 506 s of show time
// or once the quit sequence started by Escape has completed (the fade frame is never presented;
// the developer capture text goes to the clipboard first).
//
// The process ends through AppState::end_process. When that returns (tests install one that
// does), the frame ends there and draw_frame returns.

// Always true: a false result would be taken like Escape by the message loop.
bool draw_frame();
