#include "scenes/kit/scene_lights.h"

#include <GL/glew.h>

void set_scene_lights(const SceneLights& lights) {
    glLightfv(GL_LIGHT0, GL_POSITION, lights.key_direction);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lights.key_colour);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT1, GL_POSITION, lights.camera_direction);
    glPopMatrix();
    glLightfv(GL_LIGHT1, GL_DIFFUSE, lights.camera_colour);
    glFogfv(GL_FOG_COLOR, lights.fog_colour);
    glFogf(GL_FOG_DENSITY, lights.fog_density);
}
