#pragma once
// The figures the scenes pose from a motion clip and draw with a skin mesh (anim/body.h): the
// walkers, runners, sitters and throwers of the opening, the toys and the final scene.
#include "core/vector3.h"

class Mesh;
class body;

// A clip's frame for a running count of frames: counts wrap at 1000001, as the show's clip
// frames always have.
float clip_frame(double frames);

// Where a figure stands: its ground point, the turn about the vertical (degrees), its size. The
// opening's stage is upside down (its up is -y): its figures are turned over about z first.
struct FigurePlace {
    Vector3 at;
    float heading;
    float scale;
    bool upside_down = false;
};

// Poses the figure at `frame` of its clip and draws it with its skin at `place`; the modelview
// is left as it was.
void draw_figure(body& figure, const Mesh& skin, const FigurePlace& place, float frame);
