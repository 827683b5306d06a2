#version 120
// The tank section: the painted tank (paint = primitive colour) and the maze's cardboard walls,
// close to a low camera, with a searchlight sweeping along the corridor.
//   texture2d_1             noise normal map: grain
//   texture2d_2             the light pass's depth (shadows)
//   texture2d_paper         the cardboard of the maze
//   PosY, PP                developer camera height (0 in the show)
//   istank                  1 for the maze (the walls the tank drives between), 0 for the tank
//   isFord, isType2         (the tank is neither)
//   ttime                   scene clock: moves the searchlight
//   randomize               (0 here)
//   ttimer1, ttimer2        the section's ramps: the corridor's light comes up with them
//   timer1                  the chess set's ramp (unused here)
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_paper;
uniform float PosY;
uniform float PP;
#ifndef istank
uniform float istank;
#endif
uniform float ttime;
uniform float ttimer1;
uniform float ttimer2;

#include "toys_fragment.glsl"

void main() {
    vec3 world = toys_world();
    vec3 n = toys_normal();
    float shadow = mix(1.0, toys_shadow(texture2d_2, world), 0.8);
    vec3 paint = gl_Color.rgb;
    float gloss = 0.35;
    if (istank > 0.5) {
        float board = texture2D(texture2d_paper, world.xz * 0.05 + world.y * 0.08).r;
        paint *= 0.75 + 0.45 * board;
        // Corrugated edges: faint stripes down the walls.
        paint *= 0.92 + 0.08 * sin(world.y * 18.0);
        gloss = 0.05;
    } else {
        vec3 grain = texture2D(texture2d_1, object_position.xz * 0.4).rgb;
        paint *= 0.9 + 0.2 * (grain.r - 0.5);
    }
    vec3 colour = toys_lit(paint, n, shadow, gloss);
    // A searchlight pool that rolls along the corridor ahead of the tank.
    float pool = exp(-pow((world.z - (ttime - 75.0) * 1.5 + 10.0) * 0.12, 2.0)) * exp(-pow((world.x - 2.5) * 0.25, 2.0));
    colour += paint * vec3(0.9, 0.8, 0.55) * pool * 0.8 * ttimer1 * ttimer2;
    colour += 0.1 * clamp(PosY + PP, 0.0, 1.0) * paint;
    write_toys(toys_fogged(colour, 3.0), vec3(0.0));
}
