#pragma once
// A recorded frame read as passes, and the names that make it readable: texture slots, render
// targets and the shader files a program was built from.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/wiring/gl_recorder.h"

class GraphicsContext;

// One pass: the draws into one framebuffer and the resolve that copies their result into
// textures. A pass without draws is a copy (a resolve of what an earlier pass left).
struct WrittenTexture {
    uint32_t texture = 0;
    bool depth = false;
};
struct RecordedPass {
    uint32_t framebuffer = 0;  // where the draws went; for a copy, what the resolve read
    int outputs = 0;           // draw buffers of the draws (0 for a copy)
    std::vector<DrawRecord> draws;
    std::vector<WrittenTexture> writes;  // in the resolve's order: colour attachments, then depth
    bool blit_to_window = false;
};

// Splits a frame's events into passes. A resolve is a run of blits that copies colour
// attachments in rising order and then, optionally, the depth: a blit that reads an attachment
// not above the previous one, or follows a depth copy, starts another resolve (the copy pass
// right after a main pass). A draw after a resolve, or into another framebuffer or with another
// number of draw buffers, starts a new pass.
std::vector<RecordedPass> group_passes(const std::vector<GlEvent>& events);

// Texture slots and render targets by GL name, from the context's table. The entries that
// start-up filled (the render targets' renderbuffers and framebuffers) are not texture slots
// unless a texture creator has since replaced them: remember them before the scene loads.
class GlNames {
public:
    explicit GlNames(const GraphicsContext& context_after_start_up);
    // The slot holding the texture; -1 when none does (0 is "no texture").
    int slot_of(const GraphicsContext& context, uint32_t texture) const;
    std::string texture(const GraphicsContext& context, uint32_t texture) const;
    // The render target whose draw framebuffer this is; -1 for the window, -2 for anything else.
    static int target_of(const GraphicsContext& context, uint32_t framebuffer);

private:
    std::map<int, uint32_t> start_up_entries_;
};

// The shader files a program was made from, found by comparing each shader's source with the
// show directory's shader files. A specialised copy carries "#define" lines inserted after its
// #version line; they are listed apart. A shader whose source matches no file (a generated one)
// is "(generated)".
struct ProgramFiles {
    std::string vertex, fragment;  // "Other/Materials2/v_material1", no extension; "" when absent
    std::vector<std::string> defines;
    std::string fragment_source;  // the fragment shader's whole text, as compiled
    std::string describe() const;
};

class ShaderFiles {
public:
    explicit ShaderFiles(const std::string& show_dir);
    ProgramFiles identify(uint32_t program);

private:
    // File name for a shader source; "(generated)" when it matches none.
    std::string match(const std::string& source, std::vector<std::string>& defines) const;
    std::map<std::string, std::string> name_by_content_;
    std::map<uint32_t, ProgramFiles> by_program_;
};

// "Other//PostProcessing//f_godrays" and "Other/PostProcessing/f_godrays" name the same file.
std::string single_slashes(std::string name);
