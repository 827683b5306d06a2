#include "scenes/kit/material_binding.h"

#include <GL/glew.h>

#include <string>

#include "render/graphics_context.h"
#include "render/pass_timer.h"
#include "render/shader_library.h"

namespace {

// Colour writes all masked: the pass keeps only depth.
bool colour_masked() {
    GLboolean mask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    return !mask[0] && !mask[1] && !mask[2] && !mask[3];
}

// "Other//Materials//f_sea" -> "f_sea".
std::string short_name(const std::string& file) {
    const std::size_t slash = file.find_last_of('/');
    return slash == std::string::npos ? file : file.substr(slash + 1);
}

}  // namespace

void use_material(const ShaderLibrary& shaders, const GraphicsContext& context, int program,
                  std::initializer_list<SamplerBinding> samplers, const char* time_uniform, double time) {
    if (context.pass_timer) {
        context.pass_timer->begin_group(short_name(shaders.fragment_file(program)));
        context.pass_timer->count_state_changes(1 + static_cast<int>(samplers.size()));
    }
    // A depth-only pass runs the material's vertex half with a fragment half that shades nothing.
    if (context.specialised_programs && colour_masked())
        shaders.use_depth_only(program);
    else
        shaders.use_program(program);
    if (time_uniform) shaders.set_float(program, time_uniform, static_cast<float>(time));
    int unit = 0;
    for (const SamplerBinding& binding : samplers)
        shaders.bind_texture_uniform(binding.target, unit++, program, binding.sampler,
                                     context.texture_name(binding.texture_slot));
    glActiveTexture(GL_TEXTURE0);
}
