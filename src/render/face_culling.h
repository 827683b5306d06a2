#pragma once
// Culling the inner faces of closed meshes. A closed mesh wound counter-clockwise seen from
// outside never shows its inner faces; software GL still sets up every triangle it is sent, so
// culling them halves that work. Which winding turns out inner on screen depends on whether the
// modelview matrix mirrors (a reflection pass flips y) and on the front-face rule.
//
//   {
//       InnerFacesCulled culled;  // under the matrices the mesh is drawn with
//       mesh.draw(-1);
//   }

// Culls the side that is inner for such a mesh under the modelview matrix and front-face rule
// current at construction (the projection is taken not to mirror, as the scenes' lenses do
// not); puts the culling switch and mode back as they were when it goes.
class InnerFacesCulled {
public:
    InnerFacesCulled();
    ~InnerFacesCulled();
    InnerFacesCulled(const InnerFacesCulled&) = delete;
    InnerFacesCulled& operator=(const InnerFacesCulled&) = delete;
};
