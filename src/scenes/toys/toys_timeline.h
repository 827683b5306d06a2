#pragma once
// The toys scene's curves of the clock t: section fades (the grey value the compose draws with),
// the blur, the occlusion strength, the general material's fog, shadow and "running" values and
// the tank section's timers. Each is a plain function so the section boundaries can be checked
// without GL.
#include "core/easing.h"
#include "render/post_processing.h"

namespace toys {

// The tank section (73 <= t < 89) replaces the scene pass and changes the compose's blur.
bool tank_section(double t);

// The compose colour: 0.5 shows the picture as it is, lower fades to black, higher to white.
double grey_value(double t);
// "Limit" of the compose: 1 is full soft focus.
double blur_amount(double t);
// "isMiddleScene": the radial zoom blur that opens the tank section.
double zoom_blur(double t);
// "WhichBlur": 1 blurs with distance (the tank section and the toys), 0 everywhere.
double which_blur(double t);
// "SSAOFactor" of the occlusion combine.
double ssao_factor(double t);

// Everything the window compose is given at clock t (dsp: the frame's spectrum value).
ComposeUniforms compose_uniforms(double t, float dsp);

// The general material: "TheFog", "shadowlevel", "running", and the chess set's "timer1".
double fog_level(double t);
double shadow_level(double t);
double running(double t);
double chess_timer(double t);

// The tank material's "ttimer1" and "ttimer2".
double tank_timer1(double t);
double tank_timer2(double t);

}  // namespace toys
