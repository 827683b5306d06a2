#version 120
// Window compose while the toys scene loads in: motion blur, soft focus, glow, grading; no
// broad ambient occlusion.
// Uniforms (0 is each one's neutral value):
//   texture2d_1           combined picture
//   texture2d_2           scene depth
//   texture2d_3           light shafts and glow, quarter size (Mode 1 only)
//   texture2d_velocities  per-pixel velocities, rg = 0.5 + velocity · 2.5 (MotionBlur.z > 0 only)
//   texture2d_random      random vectors: the film grain of Modes 2-4
//   Mode                  grading: 1 opening, 2 toys, 3 middle, 4 final
//   ttime                 scene clock in seconds (grain)
//   Limit                 blur amount 0..1 (about 6 pixels at 1)
//   WhichBlur             0 blur everywhere, 1 blur with distance (depth of field)
//   MotionBlur            xy streak vector in texture units; z weight of the per-pixel velocities
//   TheVelocity           xy camera-motion vector added to the streak
//   isMiddleScene         radial zoom blur, pixels at the screen edge
//   Flo                   Mode 1: extra shafts and glow 0..1 (added with weight 0.5 + Flo)
//   PosY                  Mode 1: camera height in the water 0..1 (0 = deep tint, 1 = none)
//   SetBlur               Modes 2-4: 1 adds a glow around bright parts
//   DSP                   music level 0..1: up to 30 per cent brighter
//   gl_Color (grey)       fade. Modes 2-4: 0.5 as is, lower towards black, higher towards
//                         white. Mode 1: 0 as is, 1 fully faded to black.
#define COMPOSE_MOTION_TAPS 8
#define COMPOSE_DEFOCUS
#define COMPOSE_GLOW
#include "post_common.glsl"
#include "compose.glsl"
