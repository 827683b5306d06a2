#pragma once
// Culling the inner faces of closed meshes. A closed mesh wound counter-clockwise seen from
// outside never shows its inner faces; software GL still sets up every triangle it is sent, so
// culling them halves that work. Which winding turns out inner on screen depends on whether the
// modelview matrix mirrors (a reflection pass flips y) and on the front-face rule.

// Enables face culling on the side that is inner for such a mesh under the current modelview
// matrix and front-face rule (the projection is taken not to mirror, as the scenes' lenses do
// not). Changes GL_CULL_FACE and the cull-face mode: bracket with glPushAttrib(GL_POLYGON_BIT)
// and glPopAttrib to leave them as they were.
void cull_inner_faces();
