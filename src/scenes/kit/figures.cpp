#include "scenes/kit/figures.h"

#include <GL/glew.h>

#include <cmath>

#include "scenes/kit/coarse_mesh.h"
#include "scenes/kit/screen_area.h"

float clip_frame(double frames) { return static_cast<float>(std::fmod(frames, 1000001.0)); }

Matrix4 place_matrix(const FigurePlace& place) {
    Matrix4 m = translation_matrix(place.at.x, place.at.y, place.at.z);
    if (place.upside_down) m = multiply(m, rotation_z(180.0f));
    return multiply(multiply(m, rotation_y(place.heading)),
                    scale_matrix(place.scale, place.scale, place.scale));
}

PosedFigure pose_figure(body& figure, const FigureSkin& skin, float frame) {
    figure.frame = frame;
    PosedFigure posed{figure.pose(), {}};
    posed.box = body::posed_box(posed.parts, skin.full);
    if (skin.coarse.loaded) posed.box.take(body::posed_box(posed.parts, skin.coarse));
    return posed;
}

void draw_figure(body& figure, const FigureSkin& skin, const FigurePlace& place, const PosedFigure& posed) {
    Matrix4 modelview, projection;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    const Matrix4 placed = multiply(modelview, place_matrix(place));
    if (posed.box.empty() || box_out_of_view(posed.box.low, posed.box.high, placed, projection)) return;
    const Mesh& mesh =
        mesh_for_size(skin.full, skin.coarse, posed.box.low, posed.box.high, placed, projection);
    glPushMatrix();
    glTranslatef(place.at.x, place.at.y, place.at.z);
    if (place.upside_down) glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(place.heading, 0.0f, 1.0f, 0.0f);
    glScalef(place.scale, place.scale, place.scale);
    figure.draw(mesh, posed.parts);
    glPopMatrix();
}

void draw_figure(body& figure, const FigureSkin& skin, const FigurePlace& place, float frame) {
    draw_figure(figure, skin, place, pose_figure(figure, skin, frame));
}
