#pragma once
// The render scale: the scenes render at a share of the picture's width and height and the
// compose scales their picture up to the window.
//
// "auto" decides while the loading screen shows: the occlusion combine and the window compose
// (with its motion streak and soft focus on), the two full-size passes every scene runs, are
// timed at the picture size. A whole frame costs about frame_over_probe times as much (the
// per-pass profile of the scenes at 640 x 360 on software GL: docs/performance-frame-time.md),
// and on a machine without a GPU the cost goes with the pixel count, so the scale is the largest
// step of 0.05 (down to 0.25) whose estimated frame fits 1/24 s.
class GraphicsContext;

inline constexpr double frame_over_probe = 2.0;
inline constexpr double auto_frame_budget_ms = 1000.0 / 24.0;
inline constexpr double smallest_auto_scale = 0.25;

// The render size for a picture side at a scale: rounded, at least 16 pixels (a quarter of it,
// the highlight target, must not be empty).
int scaled_side(int picture_side, double scale);

// The auto choice for a probe that took probe_ms at the full picture size.
double render_scale_for(double probe_ms);

struct RenderScaleChoice {
    double scale = 1.0;
    double probe_ms = 0.0;      // the two passes at the picture size, fastest of three runs
    double estimated_ms = 0.0;  // a frame at the chosen scale
};
// Times the probe on the context's GL (programs from the show directory) and chooses. The
// chain textures it draws with are the opening's slots, which the scenes' loads create again.
RenderScaleChoice measure_render_scale(GraphicsContext& context, int picture_width, int picture_height,
                                       bool low_spec);
