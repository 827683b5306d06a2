#pragma once
// The render scale: the scenes render at a share of the picture's width and height and the
// compose scales their picture up to the window.
//
// "auto" decides while the loading screen shows. It times the occlusion combine and the window
// compose (the middle scene's, with its motion streak and soft focus on and its broad occlusion
// at full size), the two full-size passes every scene runs,
// at the picture size and at a reference size, and estimates a frame at scale s as
//
//   fixed_over_probe  · reference probe   the scenes' geometry and CPU work, which do not shrink
//                                         with the render area (the probe at a fixed size stands
//                                         for the machine's speed)
// + window_over_probe · picture probe     scaling up, the overlays and the present, at the
//                                         window's size
// + pixels_over_probe · picture probe · s²  everything drawn per rendered pixel
//
// The three weights are fitted to the scenes' median frame times on software GL (2 cores, no
// GPU) at scales 1, 0.5 and 0.35 of 640 x 360 and 0.25 of 1280 x 720; see
// docs/performance-frame-time.md. The scale is the largest step of 0.05 (down to 0.25) whose
// estimate fits 1/24 s; when none does, the smallest, and the estimate says so. Whenever the
// full size fits, it is the choice: auto costs a GPU viewer no sharpness.
class GraphicsContext;

inline constexpr double pixels_over_probe = 1.07;
inline constexpr double window_over_probe = 0.05;
inline constexpr double fixed_over_probe = 0.34;
inline constexpr int probe_reference_width = 640, probe_reference_height = 360;
inline constexpr double auto_frame_budget_ms = 1000.0 / 24.0;
// The live show holds 30 frames per second (live_scale.h).
inline constexpr double live_frame_budget_ms = 1000.0 / 30.0;
inline constexpr double smallest_auto_scale = 0.25;
// Each probe runs the two passes until it has timed at least this long (and three runs), at most
// probe_most_runs times: long enough for a GPU to leave its idle clock.
inline constexpr double probe_least_ms = 250.0;
inline constexpr int probe_most_runs = 400;

// The render size for a picture side at a scale: rounded, at least 16 pixels (a quarter of it,
// the highlight target, must not be empty).
int scaled_side(int picture_side, double scale);

// A frame's estimated milliseconds at `scale`, from the probe at the picture size and at the
// reference size.
double estimated_frame_ms(double probe_ms, double reference_probe_ms, double scale);
// The auto choice for those probes, for a frame budget.
double render_scale_for(double probe_ms, double reference_probe_ms, double budget_ms = auto_frame_budget_ms);

struct RenderScaleChoice {
    double scale = 1.0;
    double probe_ms = 0.0;            // the two passes at the picture size, fastest timed run
    double reference_probe_ms = 0.0;  // the same at the reference size
    double estimated_ms = 0.0;        // a frame at the chosen scale
    double live_scale = 1.0;          // the choice for the live show's budget
    double fixed_share = 0.0;         // of the estimate at full size, what does not shrink with the scale
};
// Times the probe on the context's GL (programs from the show directory) and chooses. The
// chain textures it draws with are the opening's slots, which the scenes' loads create again.
RenderScaleChoice measure_render_scale(GraphicsContext& context, int picture_width, int picture_height,
                                       bool low_spec);
