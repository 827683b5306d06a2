#include "scenes/opening/opening_shots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "scenes/opening/opening_clock.h"

using opening::base_shot;
using opening::shot_cues;
using opening::view_shot;

namespace {

const double half_ease2 = std::pow(1.0 - std::pow(0.5, 1.5), 2.0);

void expect_vector(const Vector3& v, float x, float y, float z, float tolerance = 1e-4f) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

TEST(OpeningShots, BaseShotAloneUntilShotOneStarts) {
    const Shot at_start = view_shot(4.15);
    expect_vector(at_start.eye, 0.0f, 4.98f, 0.0f);
    expect_vector(at_start.centre, 0.0f, 4.98f - 10.0f, -6.0f);
    expect_vector(at_start.up, 0.0f, -1.0f, 0.0f);
    // soft_ramp(0.3·(8.4 − 9)) is 0; at 8.4 the base shot's centre has not moved along z yet.
    const Shot base = base_shot(8.4);
    const Shot blended = view_shot(8.4);
    EXPECT_EQ(blended.eye, base.eye);
    EXPECT_EQ(blended.centre, base.centre);
    expect_vector(base.centre, 0.0f, 1.2f * 8.4f - 10.0f, -6.0f);
    // From 9 on the centre runs ahead along −z: soft_ramp(3) = 3 + (1.5^2.2 − 3)·0.1.
    const double ramp = 3.0 + (std::pow(1.5, 2.2) - 3.0) * 0.1;
    EXPECT_NEAR(base_shot(19.0).centre.z, -14.0 * ramp - 6.0, 1e-4);
}

TEST(OpeningShots, ShotOneTakesOverHalfWayAndThenCompletely) {
    const double s = 8.4 + 0.5 / 0.15;
    const Shot camera = view_shot(s);
    const Shot base = base_shot(s);
    EXPECT_NEAR(camera.eye.x, 2.0 * half_ease2, 1e-5);
    EXPECT_NEAR(camera.centre.y, base.centre.y + (11.6 - base.centre.y) * half_ease2, 1e-4);
    const double full = 8.4 + 1.0 / 0.15 + 0.01;
    const Shot taken = view_shot(full);
    expect_vector(taken.eye, 2.0f, 1.2f * float(full), 0.0f);
    expect_vector(taken.centre, 2.0f, 11.6f, float(2.4 * full - 36.0));
}

TEST(OpeningShots, ShotTwoOrbitsItsTravellingCentre) {
    for (double s : {21.8, 22.3, 22.9}) {  // after shot 2 has taken over, before shot 3
        const Shot camera = view_shot(s);
        expect_vector(camera.centre, 0.0f, 16.5f, float(54.0 - 3.0 * s));
        EXPECT_NEAR(camera.eye.y, 18.5f, 1e-4);
        const float dx = camera.eye.x - camera.centre.x, dz = camera.eye.z - camera.centre.z;
        EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), 4.0f, 1e-4);
        EXPECT_NEAR(camera.eye.x, 4.0 * std::sin(0.1 * s), 1e-4);
    }
}

TEST(OpeningShots, CuesComeInOrderWithTheirWeights) {
    for (size_t k = 1; k < shot_cues.size(); ++k) EXPECT_LT(shot_cues[k - 1].start, shot_cues[k].start);
    for (size_t k = 0; k < 9; ++k) EXPECT_EQ(shot_cues[k].exponent, 2.0);
    EXPECT_DOUBLE_EQ(shot_cues[4].rate, 0.19 * 0.9);
    EXPECT_DOUBLE_EQ(shot_cues[13].rate, 0.14 * 0.8);
    EXPECT_EQ(shot_weight(shot_cues[7], 51.1), 0.0);
    EXPECT_EQ(shot_weight(shot_cues[7], 51.1 + 1.0 / 0.27), 1.0);
}

TEST(OpeningShots, EveryFrameHasAUsableLookAt) {
    for (double s = 0.0; s < 130.0; s += 0.05) {
        const Shot camera = view_shot(s);
        const Vector3 view = camera.centre - camera.eye;
        ASSERT_TRUE(std::isfinite(camera.eye.x + camera.eye.y + camera.eye.z)) << s;
        ASSERT_GT(length(view), 0.5f) << s;
        const Vector3 up = steady_up(camera);
        ASSERT_GT(length(cross(view, up)), 1e-4f * length(view)) << s;
    }
}

TEST(OpeningShots, SteadyUpOnlyStepsInWhenTheViewRunsAlongUp) {
    const Shot sideways{{0, 0, 0}, {0, 0, -5}, {0, -1, 0}};
    EXPECT_EQ(steady_up(sideways), sideways.up);
    const Shot straight_up{{2, 18, 0}, {2, 11.6f, 0}, {0, -1, 0}};  // shot 1 at s = 15
    const Vector3 up = steady_up(straight_up);
    EXPECT_GT(length(cross(straight_up.centre - straight_up.eye, up)), 1.0f);
}

}  // namespace

namespace {

// The opening as the viewer sees it: the clock at 30 frames a second of show time, with the
// camera each frame draws with.
struct Seen {
    double show_time, s;
    Shot camera;
};

std::vector<Seen> watch_opening() {
    opening::OpeningClock clock;
    std::vector<Seen> frames;
    const double dt = 1.0 / 30.0;
    for (int frame = 0; frame * dt < 76.8; ++frame) {
        const double s = clock.advance(frame == 0 ? 0.0 : dt);
        if (!clock.warming_up()) frames.push_back({frame * dt, s, view_shot(s)});
    }
    return frames;
}

double degrees_between(const Vector3& a, const Vector3& b) {
    const double c = (double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z) / (length(a) * length(b));
    return std::acos(std::clamp(c, -1.0, 1.0)) * 180.0 / 3.14159265358979;
}

}  // namespace

// Over any two seconds on the stage the camera travels, turns, or both: it may climb and come
// back down, but it never stands still.
TEST(OpeningShots, OnTheStageTheCameraKeepsMoving) {
    const std::vector<Seen> frames = watch_opening();
    for (std::size_t i = 60; i < frames.size(); ++i) {
        const Seen& now = frames[i];
        const Seen& before = frames[i - 60];                // 2 s earlier
        if (before.s < 56.0 || now.s < before.s) continue;  // both on the stage, in the same pass
        double travelled = 0.0, turned = 0.0;
        for (std::size_t k = i - 59; k <= i; ++k) {
            const Shot& a = frames[k - 1].camera;
            const Shot& b = frames[k].camera;
            travelled += length(b.eye - a.eye);
            turned += degrees_between(b.centre - b.eye, a.centre - a.eye);
        }
        EXPECT_TRUE(travelled > 1.5 || turned > 12.0) << "show time " << now.show_time << " clock " << now.s
                                                      << ": travelled " << travelled << ", turned " << turned;
    }
}

// The stage's moves blend from one into the next, each taking over on a half-bar of the music:
// from one frame to the next the camera glides, it never cuts.
TEST(OpeningShots, OnTheStageTheMovesBlendWithoutACutFromAHalfBar) {
    const std::vector<Seen> frames = watch_opening();
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const Seen& now = frames[i];
        const Seen& before = frames[i - 1];
        if (now.s < 56.0 || std::abs(now.s - before.s) > 0.1) continue;  // not the clock's jumps
        EXPECT_LT(length(now.camera.eye - before.camera.eye), 0.5)
            << "a cut at show time " << now.show_time << " clock " << now.s;
    }
    const double half_bar = 2.0 * 60.0 / 140.0;  // the grid starts at 80 s
    for (double start : {59.7, 63.5, 67.3}) {
        for (std::size_t i = 1; i < frames.size(); ++i) {
            if (!(frames[i - 1].s < start && frames[i].s >= start && frames[i].s - frames[i - 1].s < 0.1))
                continue;
            const double beats = (frames[i].show_time - 80.0) / half_bar;
            EXPECT_LT(std::abs(beats - std::round(beats)) * half_bar, 0.1)
                << "the move from clock " << start << " starts at show time " << frames[i].show_time;
        }
    }
}
