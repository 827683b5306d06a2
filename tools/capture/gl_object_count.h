#pragma once
// How many GL objects the show creates once its start-up is over. Every resource of the show is
// made at load time, so any count above zero after it is an object made per frame.
//
// Counts every framebuffer, renderbuffer, buffer, shader, program and texture name handed out from
// the call on: the creation entry points the show reaches through GLEW are swapped for counting
// ones, and glGenTextures (a GL 1.1 entry point, linked directly) is wrapped at link time
// (-Wl,--wrap=glGenTextures on brinefall-capture). Call after GLEW is initialised.
void start_counting_gl_objects();
long gl_objects_created();
