#pragma once
// The figures the scenes pose from a motion clip and draw with a skin mesh (anim/body.h): the
// walkers, runners, sitters and throwers of the opening, the toys, the middle scene's crowd and
// the final scene. A figure wholly out of the view it is drawn in is not sent to the GL: it
// would cost the vertex stage and clipping of its few thousand triangles for no pixel. One that
// stands small in the picture is drawn with a coarse skin (kit/coarse_mesh.h).
#include <vector>

#include "anim/body.h"
#include "core/box.h"
#include "core/vector3.h"
#include "scenes/kit/coarse_mesh.h"

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

// A figure's skins: the full one, and the one with half the facets round each part, drawn where
// the figure's box spans fewer than coarse_below pixels across in the pass's picture. A coarse
// skin that did not load leaves the full one to draw everywhere.
struct FigureSkin {
    const Mesh& full;
    const Mesh& coarse;
};

// A figure posed at a frame of its clip: its part draws, and the box around them as either skin
// draws them, in the figure's own axes.
struct PosedFigure {
    std::vector<BodyPart> parts;
    Box box;
};
PosedFigure pose_figure(body& figure, const FigureSkin& skin, float frame);
// What the place does to the figure's own axes: the box of a posed figure moved by it holds the
// figure at its place, in the coordinates the place is given in.
Matrix4 place_matrix(const FigurePlace& place);

// Draws a posed figure at `place` with the skin its size in the GL's viewport asks for, unless its
// box lies out of the view of the GL's modelview and projection as they are; the modelview is
// left as it was.
void draw_figure(body& figure, const FigureSkin& skin, const FigurePlace& place, const PosedFigure& posed);
// Poses the figure at `frame` and draws it.
void draw_figure(body& figure, const FigureSkin& skin, const FigurePlace& place, float frame);
