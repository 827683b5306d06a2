#include "scenes/kit/shots.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "core/easing.h"
#include "scenes/kit/clock_window.h"

namespace {

bool same_bits(const Shot& a, const Shot& b) {
    return std::memcmp(&a.eye, &b.eye, sizeof(Vector3)) == 0 &&
           std::memcmp(&a.centre, &b.centre, sizeof(Vector3)) == 0 &&
           std::memcmp(&a.up, &b.up, sizeof(Vector3)) == 0;
}

void expect_vector(const Vector3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5f);
    EXPECT_NEAR(v.y, y, 1e-5f);
    EXPECT_NEAR(v.z, z, 1e-5f);
}

const Shot base{{0.1f, 0.2f, 0.3f}, {0.0f, 0.0f, -10.0f}, {0.0f, -1.0f, 0.0f}};

Shot high(double s) {
    return {{0.0f, static_cast<float>(-20.0 - s), 0.0f}, {0.0f, 0.0f, -10.0f}, {0.0f, 0.0f, -1.0f}};
}
Shot low(double) { return {{4.0f, 2.0f, 8.0f}, {4.0f, 2.0f, 0.0f}, {0.0f, -1.0f, 0.0f}}; }

// high pulls from 10 over 2 clock seconds (raised cosine), low from 20 over 4 (exponent 2).
constexpr std::array<ShotCue, 2> cues = {{{10.0, 0.5, 1.0, high}, {20.0, 0.25, 2.0, low}}};

}  // namespace

TEST(Shots, WeightIsZeroBeforeTheStartAndOneOnceTheCueHasTakenOver) {
    EXPECT_EQ(shot_weight(cues[0], 9.0), 0.0);
    EXPECT_EQ(shot_weight(cues[0], 10.0), 0.0);
    EXPECT_NEAR(shot_weight(cues[0], 11.0), 0.5, 1e-12);  // raised cosine at its middle
    EXPECT_EQ(shot_weight(cues[0], 12.0), 1.0);
    EXPECT_EQ(shot_weight(cues[0], 500.0), 1.0);
    EXPECT_NEAR(shot_weight(cues[1], 22.0), ease_cos(0.5, 2.0), 1e-12);
}

TEST(Shots, CuesThatHaveNotStartedLeaveTheBaseShotBitForBit) {
    EXPECT_TRUE(same_bits(blend_shots(base, cues, 4.0), base));
    EXPECT_TRUE(same_bits(blend_shots(base, cues, 10.0), base));
}

TEST(Shots, HalfwayIsTheMidpointAndAFullCueIsItsOwnShot) {
    const Shot half = blend_shots(base, cues, 11.0);
    const Shot target = high(11.0);
    expect_vector(half.eye, 0.05f, (0.2f + target.eye.y) / 2, 0.15f);
    expect_vector(half.up, 0.0f, -0.5f, -0.5f);
    const Shot full = blend_shots(base, cues, 15.0);
    expect_vector(full.eye, 0.0f, -35.0f, 0.0f);
    expect_vector(full.up, 0.0f, 0.0f, -1.0f);
}

TEST(Shots, ALaterCueTakesOverFromWhatTheEarlierOnesMade) {
    // At 22 the second cue pulls a share w from the first one's shot (not from the base).
    const double w = shot_weight(cues[1], 22.0);
    const Shot blended = blend_shots(base, cues, 22.0);
    const Shot from = high(22.0), to = low(22.0);
    expect_vector(blended.eye, static_cast<float>(from.eye.x + (to.eye.x - from.eye.x) * w),
                  static_cast<float>(from.eye.y + (to.eye.y - from.eye.y) * w),
                  static_cast<float>(from.eye.z + (to.eye.z - from.eye.z) * w));
    EXPECT_TRUE(same_bits(blend_shots(base, cues, 30.0), low(30.0)));
}

TEST(Shots, SteadyUpReplacesOnlyAnUpAlongTheView) {
    const Shot sideways{{0, 0, 0}, {0, 0, -5}, {0, -1, 0}};
    EXPECT_EQ(steady_up(sideways), sideways.up);
    const Shot down{{0, 0, 0}, {0, 5, 0}, {0, -1, 0}};
    EXPECT_EQ(steady_up(down), (Vector3{Vector3::ordinary, 0.0f, 0.0f, -1.0f}));
    EXPECT_EQ(steady_up(down, {Vector3::ordinary, 1.0f, 0.0f, 0.0f}),
              (Vector3{Vector3::ordinary, 1.0f, 0.0f, 0.0f}));
}

TEST(ClockWindows, AreOpenAtBothEnds) {
    constexpr ClockWindow window{2.0, 3.0};
    EXPECT_FALSE(window.holds(2.0));
    EXPECT_TRUE(window.holds(2.0001));
    EXPECT_FALSE(window.holds(3.0));
    EXPECT_TRUE((ClockWindow{-never, 1.0}).holds(-1e300));
    EXPECT_TRUE((ClockWindow{1.0, never}).holds(1e300));
}
