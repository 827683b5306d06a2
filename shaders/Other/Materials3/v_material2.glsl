#version 120
// The cut-out slabs of the middle scene: sun, clouds, moon, fish, waves, the running figure.
//   ShadowMat  eye space to the lamp's depth-texture coordinates
//   IsBird     1 for pieces that flap: a fish bends its tail (the cut-outs face -x), the paper
//              aeroplane beats its wings
//   ttime      scene clock (s)
uniform mat4 ShadowMat;
uniform float IsBird;
uniform float ttime;
#define PAPER_VERTEX
#include "middle_paper.glsl"
varying float cap;  // 1 on a slab's faces, 0 on its cut edges

void main() {
    vec4 vertex = gl_Vertex;
    cap = abs(gl_Normal.z);
    // A slab's list turns it upright, so before that turn its own -y points right, toward a
    // fish's tail; the aeroplane's wings spread along x.
    float reach = max(-vertex.y - 2.0, 0.0);
    vertex.z += IsBird * 0.35 * reach * sin(9.0 * ttime + 0.3 * vertex.y);
    vertex.y += IsBird * 0.12 * abs(vertex.x) * sin(7.0 * ttime);
    emit_paper_vertex(vertex, ShadowMat);
}
