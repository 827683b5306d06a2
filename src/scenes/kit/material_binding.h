#pragma once
// The preamble every content group repeats: make a program current, give it the clock and bind
// its textures, sampler by sampler, to texture units 0, 1, 2, ... in the order listed.
//
//   use_material(shaders_, *context_, program, {{"texture2d_1", noise_slot},
//                                              {"texture2d_cube", night_slot, GL_TEXTURE_CUBE_MAP}},
//                "ttime", s);
// Texture unit 0 is active afterwards. While colour writes are masked (a depth-only pass) the
// program's depth-only copy is made current instead (ShaderLibrary::use_depth_only). With a pass
// timer in the context, the call also starts the timing of a content group named after the
// program's fragment file.
#include <cstdint>
#include <initializer_list>

class GraphicsContext;
class ShaderLibrary;

struct SamplerBinding {
    const char* sampler;
    int texture_slot;          // a slot of the context's texture table
    uint32_t target = 0x0DE1;  // GL_TEXTURE_2D
};

// time_uniform may be null: no clock uniform.
void use_material(const ShaderLibrary& shaders, const GraphicsContext& context, int program,
                  std::initializer_list<SamplerBinding> samplers, const char* time_uniform = nullptr,
                  double time = 0.0);
