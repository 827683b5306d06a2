#include "scenes/kit/figures.h"

#include <GL/glew.h>

#include <cmath>

#include "anim/body.h"

float clip_frame(double frames) { return static_cast<float>(std::fmod(frames, 1000001.0)); }

void draw_figure(body& figure, const Mesh& skin, const FigurePlace& place, float frame) {
    glPushMatrix();
    glTranslatef(place.at.x, place.at.y, place.at.z);
    if (place.upside_down) glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(place.heading, 0.0f, 1.0f, 0.0f);
    glScalef(place.scale, place.scale, place.scale);
    figure.frame = frame;
    figure.draw(skin);
    glPopMatrix();
}
