#include "scenes/kit/material_binding.h"

#include <GL/glew.h>

#include "render/graphics_context.h"
#include "render/shader_library.h"

void use_material(const ShaderLibrary& shaders, const GraphicsContext& context, int program,
                  std::initializer_list<SamplerBinding> samplers, const char* time_uniform, double time) {
    shaders.use_program(program);
    if (time_uniform) shaders.set_float(program, time_uniform, static_cast<float>(time));
    int unit = 0;
    for (const SamplerBinding& binding : samplers)
        shaders.bind_texture_uniform(binding.target, unit++, program, binding.sampler,
                                     context.texture_name(binding.texture_slot));
    glActiveTexture(GL_TEXTURE0);
}
