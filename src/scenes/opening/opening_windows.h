#pragma once
// When each of the opening's elements is drawn, in scene-clock seconds, and in which of its two
// passes: the depth pre-pass from the light (LitPass::light, from 51.848 on: the stage's shadows)
// and the main pass. The opening has no mirrored pass. Every window is open at both ends;
// "never" leaves a side unbounded.
//
// The sea's windows, the floor copies', the first figure group's, the background's and the bait
// fish's are as the scene is described. The rest are marked "chosen": the description leaves the
// later groups to the scene, listing only the clock windows they test; each is placed so that
// nothing appears or vanishes in view (the viewer sees the clock from 4.15 to about 16.8 and from
// 56 to about 70.6). The particles and the motes write no depth, so they are in the main pass only.
//
// Groups whose meshes the scene never loads (turtle, fish, goldfish, beetles, house, happiness,
// trees, train, blub) draw nothing and are not listed here.
#include <array>

#include "scenes/kit/element_window.h"

namespace opening {

// The sea itself, while the background pre-pass runs (see opening_timeline.h): the near sea
// before 26, the far sea after 30. The depth pre-pass only starts once the sea is gone.
inline constexpr ElementWindow near_sea_window{{-never, 26.0}, in_main};
inline constexpr ElementWindow far_sea_window{{30.0, never}, in_main};

// Sea-floor copies: each at its own place on the floor's lane, drifting along z with the clock.
struct FloorCopy {
    ClockWindow window;  // in both passes
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

// The sea-floor mesh again as the ground of the figures' stage (chosen), for as long as the
// stage's background stands.
inline constexpr ElementWindow stage_floor_window{{51.848, 94.6}, in_light | in_main, true};

// The five figure groups: walkers (with a thrower), runners, sitters (with throwers), the late
// throwers on the ridge, and the lit group that carries the blood texture. The stage only exists
// once the world has changed, so the open-ended windows start there too. Chosen: the runners
// keep running as long as the walkers walk (ending them at 65, as one of the listed windows
// would, takes one away in the middle of the picture); the sitters rise out of the sand at 61;
// the ridge throwers and the lit group come after what the viewer sees.
inline constexpr ElementWindow walkers_window{{51.848, 72.5}, in_light | in_main};
inline constexpr ElementWindow runners_window{{51.848, 72.5}, in_light | in_main, true};
inline constexpr ElementWindow sitters_window{{61.0, never}, in_light | in_main, true};
inline constexpr ElementWindow ridge_throwers_window{{71.548, 87.0}, in_light | in_main, true};
inline constexpr ElementWindow lit_group_window{{79.548, 93.0}, in_light | in_main, true};

// The background landscape: background2's program draws it in the light's pass.
inline constexpr ElementWindow background_window{{51.848, 94.6}, in_light | in_main};

// The Escher crowd (chosen) stands until 71 and blinks out over its last second: it is hidden in
// the steps [70.0, 70.1), [70.2, 70.3), ... and shown in the steps between.
inline constexpr ElementWindow crowd_window{{51.848, 71.0}, in_light | in_main, true};
inline constexpr double crowd_blink_from = 70.0, crowd_blink_step = 0.1;
inline constexpr int crowd_blink_steps = 8;  // 70.0 .. 70.7

inline constexpr ElementWindow bait_fish_window{{51.848, 75.2}, in_light | in_main};

// Particles (chosen): plankton in the sea (thicker after 24, thinner after 35) until the world
// changes, bubbles swirling round the stage (fading out over their last two seconds), and a
// rising column of bubbles late on (it starts where the camera does not look).
inline constexpr ElementWindow plankton_window{{-never, 51.848}, in_main, true};
inline constexpr double plankton_thicker = 24.0, plankton_thinner = 35.0;
inline constexpr ElementWindow swirl_window{{51.4, 61.0}, in_main, true};
inline constexpr ElementWindow column_window{{67.0, never}, in_main, true};
inline constexpr double column_full = 69.003;

// Billboards (chosen): glowing motes drifting over the stage, fading in from 55.3.
inline constexpr ElementWindow motes_window{{55.3, 101.0}, in_main, true};

}  // namespace opening
