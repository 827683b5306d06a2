#include "scenes/kit/glow_picture.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include "render/graphics_context.h"
#include "render/post_processing.h"
#include "render/shader_library.h"

void begin_glow_picture(GraphicsContext& context, const ShaderLibrary& shaders, int slot, int blob_slot,
                        int width, int height, const float (&glow_colour)[3]) {
    context.attach_color_texture(1, 0, slot);
    context.bind_render_target(1, 1);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, 1.0, 0.1, 100.0);
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    shaders.disable_programs();
    glClearColor(0.0f, 0.02f, 0.03f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    context.bind_texture_slot(blob_slot);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);

    glColor3fv(glow_colour);
    glPushMatrix();
    draw_screen_quad(0.0, 1.0, 1.0, false, 1.0f);
    glPopMatrix();
}
