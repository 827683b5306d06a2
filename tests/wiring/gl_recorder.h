#pragma once
// Records what the GL does in one frame, for the pass-wiring tests: at every draw call, the state
// the draw runs with (framebuffer and draw buffers, program, the texture each active sampler
// reads, the program's other uniforms, the primitive colour), and at every framebuffer blit the
// texture that receives it.
//
// Why a recorder in the test process and not a trace of brinefall-capture: the state that decides
// a pass's wiring is read from the GL itself at the moment of each draw (glGet*, glGetUniform*),
// so it does not matter how the code got there (uniforms set before the pass, a specialised copy
// of a program, a binding left from an earlier pass); a trace would have to replay every call to
// rebuild that state. The scene is drawn by the scene fixture at any clock value in a fraction of
// a second, where a traced capture would have to run the show up to that moment, load all four
// scenes and write texture and display-list data into the trace.
//
// How: the entry points the show reaches through GLEW (glDrawElementsInstanced, ...,
// glBlitFramebuffer, glUseProgram) are swapped for recording ones; the GL 1.1 entry points that are linked
// directly (glBegin, glCallList, glDrawArrays, glDrawElements) are wrapped at link time: a binary
// that links gl_recorder_support gets -Wl,--wrap for each (tests/wiring/CMakeLists.txt). Each
// hook records, then calls the real entry point.
#include <cstdint>
#include <string>
#include <vector>

struct UniformValue {
    std::string name;
    std::vector<double> value;  // one per component (float, int and bool uniforms)
};

struct SamplerRead {
    std::string name;      // the sampler uniform; "fixed-function unit 0" for a draw without a program
    uint32_t texture = 0;  // the texture bound on the sampler's unit for its target
};

struct DrawRecord {
    std::string call;           // the entry point: "glBegin", "glCallList", ...
    uint32_t framebuffer = 0;   // draw framebuffer, 0 = window
    int outputs = 0;            // draw buffers in use
    bool colour_writes = true;  // any colour channel unmasked
    uint32_t program = 0;
    // Programs made current since the previous draw, in order (a pass that sets uniforms on one
    // program and draws with a copy of it shows both).
    std::vector<uint32_t> programs_made_current;
    std::vector<SamplerRead> samplers;   // active samplers, in the program's order
    std::vector<UniformValue> uniforms;  // active non-sampler scalars and vectors (no matrices)
    float colour[4] = {0, 0, 0, 0};      // the current primitive colour
};

struct BlitRecord {
    uint32_t from_framebuffer = 0, to_framebuffer = 0;
    int read_attachment = -1;   // colour attachment index read, -1 for a depth copy or the window
    bool depth = false;         // a depth copy (else colour)
    uint32_t texture = 0;       // the texture receiving it; 0 for the window or a renderbuffer
    int width = 0, height = 0;  // destination rectangle
};

struct GlEvent {
    enum Kind { draw, blit } kind = draw;
    DrawRecord draw_record;
    BlitRecord blit_record;
};

// Recording runs from start to stop; start puts the hooks in place, so call it after GLEW is
// initialised (after the scene fixture's set-up). One recording at a time: GL entry points are
// plain functions, so the recorder's state is the process's.
void start_gl_recording();
std::vector<GlEvent> stop_gl_recording();

// The program's active non-sampler scalar and vector uniforms as they stand now.
std::vector<UniformValue> uniform_values(uint32_t program);
