#pragma once
// The small glowing picture two scenes paint behind their skies (the opening's moon, the final
// scene's glow under the credits): a width x height texture on render target 1, seen by a 65°
// camera at z = 5 looking at the origin, cleared to the night's blue-black and lit additively.
//
//   begin_glow_picture(*context_, shaders_, slot, blob_slot, width, height, {1.0f, 0.7f, 0.5f});
//   ... the scene's own blots: draw_screen_quad(0, 0.6, 0.6, false, 1) where it wants them ...
//   context_->resolve_render_target(1, width, height, 1, false);
//
// Afterwards: fixed function, the blob texture bound on unit 0 with 2D texturing on, additive
// blending on, depth test and face culling off, the glow camera's matrices loaded.
class GraphicsContext;
class ShaderLibrary;

void begin_glow_picture(GraphicsContext& context, const ShaderLibrary& shaders, int slot, int blob_slot,
                        int width, int height, const float (&glow_colour)[3]);
