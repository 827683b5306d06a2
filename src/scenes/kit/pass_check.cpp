#include "scenes/kit/pass_check.h"

#include <GL/glew.h>

#include <cstdio>

#include "render/log_line.h"

void check_pass([[maybe_unused]] const char* scene, [[maybe_unused]] const char* pass) {
#ifndef NDEBUG
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
        char text[160];
        std::snprintf(text, sizeof text, "GL error 0x%04x after the %s's %s", error, scene, pass);
        log_line(text);
    }
#endif
}
