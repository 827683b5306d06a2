#include "scenes/kit/scene_textures.h"

#include <GL/glew.h>

#include "render/graphics_context.h"
#include "show/app_state.h"

ChainSizes current_sizes() {
    const AppState& app = app_state();
    return {app.render_width, app.render_height, app.window_width, app.window_height};
}

void clamp_to_edge(const GraphicsContext& context, int slot) {
    context.bind_texture_slot(slot);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void create_float_texture_1d(GraphicsContext& context, int table_entry, int texels, uint32_t wrap) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    context.texture_table[table_entry] = texture;
    glBindTexture(GL_TEXTURE_1D, texture);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA32F, texels, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, static_cast<GLint>(wrap));
    glBindTexture(GL_TEXTURE_1D, 0);
}
