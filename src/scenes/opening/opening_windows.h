#pragma once
// The scene-clock windows in which the opening's content groups draw. Every window is open at
// both ends; "below x" starts at minus infinity, "above x" ends at plus infinity.
//
// Groups whose meshes the scene never loads (turtle, fish, goldfish, beetles, house, happiness,
// trees, train, blub) draw nothing and are not listed here.
#include <array>

#include "scenes/kit/clock_window.h"

namespace opening {

// The sea itself: the near sea before 26, the far sea after 30, neither during the dive nor once
// the world changes.
inline constexpr double near_sea_until = 26.0;
inline constexpr double far_sea_from = 30.0;

// Sea-floor copies: each at its own place on the floor's lane, drifting along z with the clock.
struct FloorCopy {
    ClockWindow window;
    float x, y;          // place across the lane
    float z_rate, z_at;  // z = z_rate · s + z_at
};
inline constexpr std::array<FloorCopy, 7> floor_copies = {{
    {{24.0, 33.0}, 795.6f, 116.5f, 25.0f, -1008.0f},
    {{24.3, 34.0}, 760.0f, 122.0f, 25.0f, -1090.0f},
    {{24.7, 35.0}, 835.0f, 119.0f, 25.0f, -1170.0f},
    {{25.88, 31.6}, 700.0f, 130.0f, 22.0f, -940.0f},
    {{25.68, 31.8}, 890.0f, 128.0f, 22.0f, -1010.0f},
    {{25.28, 31.9}, 795.6f, 140.0f, 28.0f, -1260.0f},
    {{25.4, 36.3}, 795.6f, 112.0f, 25.0f, -1330.0f},
}};

// The sea-floor mesh again as the ground of the figures' stage, for as long as the stage's
// background stands.
inline constexpr ClockWindow stage_floor_window{51.848, 94.6};

// The five figure groups: walkers (with a thrower), runners, sitters (with throwers), the
// late throwers on the ridge, and the lit group that carries the blood texture. The stage only
// exists once the world has changed, so the open-ended windows start there too.
inline constexpr ClockWindow walkers_window{51.848, 72.5};
inline constexpr ClockWindow runners_window{51.848, 65.0};
inline constexpr ClockWindow sitters_window{61.0, never};
inline constexpr ClockWindow ridge_throwers_window{71.548, 87.0};
inline constexpr ClockWindow lit_group_window{79.548, 93.0};

inline constexpr ClockWindow background_window{51.848, 94.6};

// The escher crowd stands until 71 and blinks out over its last second: it is hidden in the
// steps [70.0, 70.1), [70.2, 70.3), ... and shown in the steps between.
inline constexpr ClockWindow crowd_window{51.848, 71.0};
inline constexpr double crowd_blink_from = 70.0, crowd_blink_step = 0.1;
inline constexpr int crowd_blink_steps = 8;  // 70.0 .. 70.7

inline constexpr ClockWindow bait_fish_window{51.848, 75.2};

// Particles: plankton in the sea (thicker after 24, thinner after 35), bubbles swirling round
// the stage, and a rising column of bubbles late on.
inline constexpr ClockWindow plankton_window{-never, 51.848};
inline constexpr double plankton_thicker = 24.0, plankton_thinner = 35.0;
inline constexpr ClockWindow swirl_window{51.4, 61.0};
inline constexpr ClockWindow column_window{67.0, never};
inline constexpr double column_full = 69.003;

// Billboards: glowing motes drifting over the stage.
inline constexpr ClockWindow motes_window{55.3, 101.0};

}  // namespace opening
