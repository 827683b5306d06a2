#pragma once
// Ctrl-C (SIGINT) and SIGTERM during a capture that may run for hours. Once frames are being
// drawn, a signal only raises a flag: the run loop reads it before each frame, stops there,
// closes what it wrote (frames.csv and the PNGs hold every frame written so far, the video is
// finished by ffmpeg so that it plays, with its music) and exits with 128 + the signal number, as
// a shell reports a job stopped that way (130 for SIGINT, 143 for SIGTERM).
//
// Before the frames start nothing worth closing has been written, so a signal during start-up
// ends the process at once, saying so. A second signal while the first one is being handled
// also ends it at once: the way out when closing takes too long.

// Installs the handlers and keeps SDL from turning these signals into a quit event, which
// capture never reads. Call before SDL starts.
void catch_interrupts();

// From now on a signal asks the run loop to stop instead of ending the process.
void interrupts_stop_between_frames();

// The signal that asked to stop (SIGINT or SIGTERM), or 0 while none has.
int interrupt_signal();

// "SIGINT" or "SIGTERM".
const char* interrupt_signal_name(int signal);
