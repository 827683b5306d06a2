#include "tools/capture/gl_object_count.h"

#include <GL/glew.h>

#include "tests/support/gl_context.h"

class GlObjectCount : public GlTest {};

TEST_F(GlObjectCount, CountsEveryKindOfCreationTheShowUsesAndNothingElse) {
    GLuint before[2];
    glGenTextures(2, before);  // before counting: not counted
    start_counting_gl_objects();
    EXPECT_EQ(gl_objects_created(), 0);

    GLuint textures[3], framebuffers[2], renderbuffer = 0, buffer = 0;
    glGenTextures(3, textures);
    glGenFramebuffers(2, framebuffers);
    glGenRenderbuffers(1, &renderbuffer);
    glGenBuffers(1, &buffer);
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    const GLuint program = glCreateProgram();
    EXPECT_EQ(gl_objects_created(), 3 + 2 + 1 + 1 + 1 + 1);
    // The wrapped entry points still hand out real names.
    EXPECT_NE(textures[2], 0u);
    EXPECT_NE(framebuffers[1], 0u);
    EXPECT_NE(program, 0u);
    EXPECT_TRUE(glIsShader(shader));

    // Binding, using and deleting create nothing.
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glUseProgram(0);
    glDeleteTextures(3, textures);
    glDeleteTextures(2, before);
    glDeleteFramebuffers(2, framebuffers);
    glDeleteRenderbuffers(1, &renderbuffer);
    glDeleteBuffers(1, &buffer);
    glDeleteShader(shader);
    glDeleteProgram(program);
    EXPECT_EQ(gl_objects_created(), 9);

    // Counting again starts from zero, and the entry points are not wrapped twice.
    start_counting_gl_objects();
    glGenTextures(1, textures);
    EXPECT_EQ(gl_objects_created(), 1);
    glDeleteTextures(1, textures);
    EXPECT_TRUE(no_gl_error());
}
