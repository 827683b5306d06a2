#pragma once
// A frame's passes held against a table of what each pass must be: where it draws and with how
// many outputs, which textures its resolve fills, which program draws it (by shader file), which
// texture slot each sampler reads and the uniform values and grey it is given. The tables are the
// scene tests' own, written from the show's description of each scene; this file only compares.
//
// Values are read as the draw saw them. A specialised copy of a program (one compiled with
// "#define" lines) may have folded a uniform away: then the value is the macro's (for a uniform
// the copy turns into a macro) or what was handed to the program the copy was made from.
#include <string>
#include <vector>

#include "tests/wiring/frame_passes.h"

class GraphicsContext;

struct ExpectedUniform {
    std::string name;
    std::vector<double> value;
};

struct ExpectedSampler {
    std::string name;
    int slot = 0;
};

// What every draw that a scene pass makes with one program must see, of what its shader reads.
struct MaterialExpectation {
    std::string fragment;  // shader file, "Other/Materials2/f_material1"
    std::vector<ExpectedSampler> samplers;
    std::vector<ExpectedUniform> uniforms;
};

struct ExpectedPass {
    std::string name;
    int target = -1;          // render target the draws go to; -1 the window
    int outputs = 0;          // draw buffers; 0 for a copy (no draws)
    std::vector<int> colour;  // slots the resolve fills with colour, in order
    int depth = -1;           // slot it fills with depth; -1 none

    // A full-screen pass: its draws all use this program (a fragment file; "" for fixed
    // function), read exactly these samplers, and see these uniforms and this grey.
    std::string program;
    std::vector<ExpectedSampler> samplers;
    std::vector<ExpectedUniform> uniforms;
    double grey = -1.0;  // the primitive colour's red, green and blue; < 0 not checked

    // A scene pass: draws with many programs, each from `allowed` (fragment or, for a generated
    // fragment half, vertex files; fixed function is always allowed).
    bool scene = false;
    std::vector<std::string> allowed;
    std::vector<std::string> drawing;      // fragment files that must draw in it
    std::vector<std::string> not_drawing;  // and that must not
    std::vector<MaterialExpectation> materials;
    std::string last;  // fragment file of the pass's last draw; "" not checked
};

// One way a frame differs from its table: `item` names what differs ("sampler texture2d_3",
// "uniform Limit", "writes", "pass sequence", ...), `detail` says how.
struct Difference {
    double clock = 0;
    std::string pass, item, detail;
};

class WiringCheck {
public:
    WiringCheck(const GraphicsContext& context, const GlNames& names, ShaderFiles& shaders)
        : context_(context), names_(names), shaders_(shaders) {}

    std::vector<Difference> compare(double clock, const std::vector<RecordedPass>& recorded,
                                    const std::vector<ExpectedPass>& expected);
    // One line per pass: target, outputs, what it writes and its programs.
    std::string describe(const RecordedPass& pass);

private:
    void compare_pass(const RecordedPass& recorded, const ExpectedPass& expected,
                      std::vector<Difference>& out);
    void compare_full_screen(const RecordedPass& recorded, const ExpectedPass& expected,
                             std::vector<Difference>& out);
    void compare_scene(const RecordedPass& recorded, const ExpectedPass& expected,
                       std::vector<Difference>& out);
    // A pass drawn by a specialised copy of the next pass's program, into another target of the
    // chain: the copy doing part of that pass's work at another size (the broad occlusion at a
    // quarter size before the compose). It counts as part of the next pass. (Two scene passes
    // into the same target may both start with copies of one material: they stay apart.)
    bool part_of_next(const RecordedPass& pass, const RecordedPass& next);
    // A full-screen pass must read every expected sampler and uniform and no other sampler; a
    // material is checked on what its shader reads. A specialised copy may read the pass's inputs
    // through further samplers (nearest texels of the same texture), and what its earlier part
    // wrote, but nothing else.
    void compare_samplers(const DrawRecord& draw, const std::vector<ExpectedSampler>& expected,
                          bool full_screen, const std::string& pass, std::vector<Difference>& out);
    void compare_uniforms(const DrawRecord& draw, const std::vector<ExpectedUniform>& expected,
                          bool full_screen, const std::string& pass, std::vector<Difference>& out);
    // The uniform as the draw saw it; false when the program does not read it.
    bool uniform_seen(const DrawRecord& draw, const std::string& name, std::vector<double>& value);
    // The file a draw's program is known by in a scene pass: its fragment file, or its vertex
    // file when the fragment half is generated; "fixed function" without a program.
    std::string program_key(uint32_t program);
    std::string texture(uint32_t name) const { return names_.texture(context_, name); }

    const GraphicsContext& context_;
    const GlNames& names_;
    ShaderFiles& shaders_;
    double clock_ = 0;
    std::vector<uint32_t> copy_parts_;  // the textures this frame's copy parts wrote
};

// A difference the code is known to have from the description, awaiting a mend: matched by pass
// and item (and, when given, by a text the detail contains).
struct KnownDifference {
    const char* pass;
    const char* item;
    const char* reason;
    const char* detail = "";
};

// Adds a test failure for every difference that is not known, and for every known one that no
// frame showed (mended: take it off the list). Known ones are printed as notes.
void report_differences(const std::vector<Difference>& found, const std::vector<KnownDifference>& known);
