#version 120
// Toy vehicles (their paint is the primitive colour), the telegraph line, the pavement plates and
// the runners. Cars carry lit lamps at their fronts.
//   texture2d_1             noise normal map: grain of the paint
//   texture2d_2             the light pass's depth (shadows)
//   texture2d_paper         paper grain (the paper-finished toys)
//   MaterialMultiplier      overall brightness, 1 as painted
//   PosY                    developer camera height (0 in the show)
//   isPressable             1 for plates that give under a step (drawn 0 here): a softer finish
//   isFord                  1 for the old car: black lacquer, brass lamps and radiator
//   isType2                 1: paper finish instead of lacquer
//   ttime                   scene clock: the lamps flicker a little
//   randomize               a per-car value that shifts the grain pattern
//   ttimer1, ttimer2        the two traffic waves' ramps: lamps come on with them
//   timer1                  the chess set's ramp (unused here)
uniform sampler2D texture2d_1;
uniform sampler2D texture2d_2;
uniform sampler2D texture2d_paper;
uniform float MaterialMultiplier;
uniform float PosY;
#ifndef isPressable
uniform float isPressable;
#endif
#ifndef isFord
uniform float isFord;
#endif
#ifndef isType2
uniform float isType2;
#endif
uniform float ttime;
uniform float randomize;
uniform float ttimer1;
uniform float ttimer2;

#include "toys_fragment.glsl"

void main() {
    vec3 world = toys_world();
    vec3 n = toys_normal();
    float shadow = mix(1.0, toys_shadow(texture2d_2, world), 0.7);
    vec3 paint = gl_Color.rgb * (MaterialMultiplier > 0.0 ? MaterialMultiplier : 1.0);
    vec3 grain = texture2D(texture2d_1, object_position.xy * 0.6 + randomize).rgb;
    paint *= 0.92 + 0.16 * (grain.g - 0.5);
    float gloss = 0.6;
    if (isType2 > 0.5) {
        float paper = texture2D(texture2d_paper, object_position.xz * 0.3 + object_position.y * 0.2).r;
        paint *= 0.85 + 0.3 * paper;
        gloss = 0.12;
    }
    if (isPressable > 0.5) gloss = 0.05;
    vec3 glow = vec3(0.0);
    float lamps = max(ttimer1, ttimer2);
    if (isFord > 0.5) {
        // Brass: the radiator and lamps at the front.
        bool brass = object_position.x > 2.55;
        paint = brass ? vec3(0.75, 0.55, 0.22) : paint;
        gloss = brass ? 1.0 : 0.8;
        if (brass && object_position.y > 1.8) glow = vec3(1.0, 0.8, 0.45) * (0.9 + 0.1 * sin(ttime * 9.0));
    } else if (object_position.x > 4.0 && object_position.y < 0.75 && object_position.y > 0.3) {
        glow = vec3(1.0, 0.9, 0.6) * lamps;
    }
    vec3 colour = toys_lit(paint, n, shadow, gloss) + glow;
    colour += 0.1 * clamp(PosY, 0.0, 1.0) * paint;
    write_toys(toys_fogged(colour, 2.0), glow);
}
