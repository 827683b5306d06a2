#pragma once
// A scene's table of GLSL program slots. Each slot is filled at load (and by some scenes again
// while drawing) from a vertex and a fragment source file, or from a fragment file alone; scenes
// make a slot current, set its uniforms by name, and switch programs off for fixed-function
// drawing.
//
// File names are given without their extension: every shader source is "<name>.glsl". Each
// compile logs the file's name on one line and the shader's info log on the next; compile and
// link errors are reported only that way, and nothing stops. A missing file logs
// "Cannot open shader source file." and its shader is left without source. Uniform locations are
// looked up on every call (a reloaded slot is a new program); unknown names are ignored.
//
// The library keeps the uniform values set on a slot and gives them to whichever of the slot's
// programs is made current (its own, a depth-only copy, a copy with fixed switches), so a copy
// draws with everything the scene set, even values set before it was current. A value set on a
// slot that is not current is kept for the slot's next use.
//
// A program that failed to link (a missing or broken source) is never made current: the slot
// draws with program 0 (fixed function), its uniform setters do nothing and program() is 0, so
// the GL reports no error for it frame after frame.
//
// Slots are 0..10127; a slot outside that range is logged and the call does nothing.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

struct CameraRecord;

class ShaderLibrary {
public:
    static constexpr int slot_count = 10128;
    static constexpr const char* source_extension = ".glsl";

    ShaderLibrary();

    // The whole file plus a terminating zero byte, or null (logged) when it cannot be opened.
    static std::unique_ptr<char[]> read_source(const std::string& file_name);

    // Compiles "<file>.glsl" into the slot's fragment / vertex shader and logs name and info log.
    void compile_fragment(const std::string& file_name, int slot);
    void compile_vertex(const std::string& file_name, int slot);
    // Vertex then fragment, linked into the slot's program; the program is not made current.
    void load_program(const std::string& vertex_file, const std::string& fragment_file, int slot);
    // A fragment-only program, linked and made current.
    void load_fragment_program(const std::string& fragment_file, int slot);

    // Compiles the slot's files again as they are now (an author saved one) and, when they link,
    // puts the new program in the slot with the old one's uniform values; otherwise the slot keeps
    // what it had and draws on. True when the slot holds the new program; `log` gets the
    // compiler's and linker's complaints. Only a slot that was loaded can be reloaded.
    bool reload(int slot, std::string& log);

    // Makes the slot's program current: with switches set (set_switch), the copy for their values.
    void use_program(int slot) const;
    // Program 0: fixed-function drawing.
    void disable_programs() const;
    // Uniform setters on the slot's programs (sent at once when the slot is current).
    void set_float(int slot, const std::string& name, float value) const;
    void set_vec3(int slot, const std::string& name, float x, float y, float z) const;
    void set_int(int slot, const std::string& name, int value) const;
    void set_matrix4(int slot, const std::string& name, const float* column_major) const;
    // A float uniform the slot's shaders only branch on, a flag such as "isfloor" (0 or 1), set
    // like set_float. Shaders declare such a uniform so that a define can stand for it:
    //     #ifndef isfloor
    //     uniform float isfloor;
    //     #endif
    // With fix_switches on, the slot then draws with its copy (variant) that defines every switch
    // set so far as its value: the GL compiles only the branches taken, where software GL runs
    // both sides of a branch for every pixel. The copy for a set of values is compiled at their
    // first use (the show's warm-up draws them before it starts). A depth-only copy
    // (use_depth_only) stays current. A name the slot's program does not use is set like any
    // other uniform; one declared without the #ifndef makes the copy fail to compile (logged),
    // and the slot's own program draws.
    void set_switch(int slot, const std::string& name, float value) const;
    // Off (the programs as loaded, for the reference pictures): set_switch is set_float.
    bool fix_switches = true;
    // Binds the texture to the target on texture unit `unit` (left active) and points the
    // sampler uniform at that unit.
    void bind_texture_uniform(uint32_t target, int unit, int slot, const std::string& name,
                              uint32_t texture) const;
    // Texture matrix of unit 2 = bias(0.5) · perspective(camera) · look-at(camera): maps a world
    // point to the camera's projective texture coordinates. Unit 0 is active afterwards and the
    // matrix mode is left at GL_TEXTURE.
    void set_projector_matrix(const CameraRecord& camera) const;

    // The files the slot was last loaded from, without extension; empty when it has none.
    const std::string& vertex_file(int slot) const;
    const std::string& fragment_file(int slot) const;

    // A copy of the slot's program compiled with `defines` ("#define NAME value" lines) after
    // each source's #version line, so the GL can fold settings that are fixed for a draw; with a
    // vertex_file, that vertex half replaces the slot's own. Compiled on first use and kept
    // until the slot is loaded again. The slot's own program when the copy fails to link (the
    // log has the reason) or the slot has no fragment file.
    uint32_t variant(int slot, const std::string& defines, const std::string& vertex_file = {}) const;

    // Makes current a copy of the slot's program whose fragment half writes no colour, for
    // passes that mask colour writes and keep only depth: the same vertex half, so the same
    // depth. Programs whose fragment half decides the depth (discard, gl_FragDepth) are used as
    // they are, and so are all programs while the alpha test is on.
    void use_depth_only(int slot) const;
    // Compiles the slot's depth-only copy now (while a scene loads) instead of at its first use.
    void prepare_depth_only(int slot) const;

    bool loaded(int slot) const { return in_table(slot) && loaded_[slot] != 0; }
    // The slot's program; 0 when it has none or it failed to link.
    uint32_t program(int slot) const { return in_table(slot) && linked_[slot] ? program_ids_[slot] : 0u; }

private:
    static bool in_table(int slot) { return slot >= 0 && slot < slot_count; }
    // True for a slot in the table; logs the refusal otherwise.
    bool valid(int slot) const;
    uint32_t compile(uint32_t kind, const std::string& file_name, int slot);
    // Links the slot's program and records whether that worked.
    void link(int slot);
    void release_slot(int slot);

    // Switch values by uniform name.
    using Switches = std::map<std::string, float>;
    uint32_t link_copy(int slot, const std::string& defines, const std::string& vertex_file,
                       const char* fragment_text) const;
    // The slot's program for its switches as they are set (fix_switches on), else its own.
    uint32_t switched_program(int slot) const;
    // The slot's depth-only copy, compiled on first call: the slot's own program when its
    // fragment half decides the depth.
    uint32_t depth_only_copy(int slot) const;

    std::vector<uint32_t> fragment_ids_, vertex_ids_, program_ids_;
    std::vector<uint8_t> loaded_, linked_;
    std::vector<std::string> vertex_files_, fragment_files_;
    // Copies by (slot, defines, vertex file); each remembers the slot's program it was made
    // from, so a reloaded slot gets new copies. A depth-only copy has the defines "depth only".
    struct Copy {
        uint32_t from = 0, program = 0;
    };
    mutable std::map<std::tuple<int, std::string, std::string>, Copy> copies_;
    void release(Copy& copy) const;

    // One uniform's value as a setter gave it.
    struct UniformValue {
        enum class Kind { float1, float3, int1, matrix4 } kind = Kind::float1;
        std::array<float, 16> f{};
        int i = 0;
        bool operator==(const UniformValue&) const = default;
    };
    // Keeps the value for the slot and sends it when the slot's program is current.
    void set_value(int slot, const std::string& name, const UniformValue& value) const;
    // glUniform* of the value at the name's location in `program`, which is current.
    static void send_uniform(uint32_t program, const std::string& name, const UniformValue& value);
    // Makes `program` current for `slot` and sends it the slot's values it does not hold yet.
    void make_current(int slot, uint32_t program, bool depth_only) const;
    // True while the program the library made current for the slot is the GL's current one
    // (the chain makes its own copies current behind the library's back).
    bool is_current(int slot) const;
    // A deleted program's name may come back for a new one: what it held is forgotten.
    void forget(uint32_t program) const;

    mutable std::map<int, std::map<std::string, UniformValue>> values_;  // by slot
    mutable std::map<uint32_t, std::map<std::string, UniformValue>> held_;  // by program
    mutable std::map<int, Switches> switches_;                             // by slot
    // The slot whose program (or copy) the library made current (-1: none), and that program.
    mutable int current_slot_ = -1;
    mutable uint32_t current_program_ = 0;
    mutable bool current_depth_only_ = false;
};
