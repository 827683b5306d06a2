// The six motion clips: procedural gaits and key-framed actions on the shared skeleton, written
// as BVH. Every clip is a loop: the figure plays frames 1…N and wraps, so frame N flows into
// frame 1 exactly as any frame flows into the next.
#include "tools/assets/generators.h"
#include "tools/assets/meshes/skeleton.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kTau = 2 * std::numbers::pi;

// A periodic bump of width w centred on c, over a phase that wraps at 1.
double bump(double p, double c, double w) {
    double d = p - c;
    d -= std::floor(d + 0.5);
    return std::exp(-(d / w) * (d / w));
}

// Soles of a foot in its joint space: heel, ball, toe.
constexpr Vec3 kSole[3] = {{0, -2.8, -1.6}, {0, -2.8, 4.6}, {0, -2.5, 7.0}};

// Sets the root height so the lowest sole point touches y = 0.
void ground(Pose& pose) {
    pose.root.y = 0;
    auto world = joint_world(pose);
    double lowest = 1e9;
    for (int foot : {kLFoot, kRFoot})
        for (Vec3 p : kSole) lowest = std::min(lowest, world[foot].point(p).y);
    pose.root.y = -lowest;
}

struct Gait {
    int frames;
    double frame_time;
    double thigh_mid, thigh_amp, thigh_peak;  // thigh flexion peaks (most forward) at thigh_peak
    double knee_base, knee_stance, knee_swing, knee_swing_at, knee_swing_width;
    double heel_up, toe_down, toe_off_at;
    double arm_amp, arm_down, elbow_base, elbow_swing;
    double lean, twist, roll, sway;
    double flight;  // extra lift while both feet are off the ground
};

constexpr Gait kWalk = {14, 1 / 10.5, -6.5, 19, 0.0, 4,  12, 56, 0.72, 0.13, 14,
                        24, 0.56,     17,   76, 12,  18, 3,  6,  4,    1.1,  0};
constexpr Gait kRun = {12, 1 / 17.0, -14, 33, 0.82, 16, 16, 100, 0.66, 0.15, 6,
                       34, 0.36,     32,  72, 88,   18, 9,  9,   3,    0.6,  1.4};
constexpr Gait kRun2 = {14, 1 / 17.0, -18, 38, 0.8, 18, 18, 112, 0.64, 0.15, 8,
                        38, 0.35,     42,  66, 70,  30, 13, 12,  4,    0.4,  2.0};

Pose gait_pose(const Gait& g, double phase) {
    Pose pose;
    double thigh_x[2], knee_x[2];
    for (int side = 0; side < 2; ++side) {
        double p = phase + 0.5 * side;  // left leg first, right half a cycle later
        p -= std::floor(p);
        int thigh = side == 0 ? kLThigh : kRThigh, shin = thigh + 1, foot = thigh + 2;
        thigh_x[side] = g.thigh_mid - g.thigh_amp * std::cos(kTau * (p - g.thigh_peak));
        knee_x[side] = g.knee_base + g.knee_stance * bump(p, 0.12, 0.09) +
                       g.knee_swing * bump(p, g.knee_swing_at, g.knee_swing_width);
        // The foot's pitch over the ground: toe raised at heel strike, rolled onto the toe at
        // push-off, level in between; the ankle makes up the difference to the leg above it.
        double pitch = -g.heel_up * bump(p, 0.0, 0.07) + g.toe_down * bump(p, g.toe_off_at, 0.08) +
                       0.4 * g.toe_down * bump(p, g.toe_off_at + 0.12, 0.08);
        pose.rotation[thigh].x = thigh_x[side];
        pose.rotation[shin].x = knee_x[side];
        pose.rotation[foot].x = pitch - thigh_x[side] - knee_x[side];
        pose.rotation[thigh].y = side == 0 ? 4 : -4;  // toes slightly out

        // The arm swings against its own side's leg.
        double sign = side == 0 ? 1 : -1;
        double forward = -std::cos(kTau * (p - g.thigh_peak));  // 1 when this arm is forward
        int shoulder = side == 0 ? kLShldr : kRShldr, elbow = shoulder + 1, hand = shoulder + 2;
        pose.rotation[shoulder].z = -sign * g.arm_down;
        pose.rotation[shoulder].y = -sign * g.arm_amp * forward;
        pose.rotation[elbow].y = -sign * (g.elbow_base + g.elbow_swing * std::max(forward, 0.0));
        pose.rotation[hand].z = -sign * 8;
        pose.rotation[side == 0 ? kLCollar : kRCollar].y = -sign * 3 * forward;
    }
    double c = std::cos(kTau * (phase - g.thigh_peak));
    double s = std::sin(kTau * phase);
    pose.rotation[kHip].y = -g.twist * c;
    pose.rotation[kHip].z = g.roll * s;
    pose.rotation[kAbdomen].y = 0.6 * g.twist * c;
    pose.rotation[kChest].y = 0.9 * g.twist * c;
    pose.rotation[kAbdomen].x = 0.4 * g.lean;
    pose.rotation[kChest].x = 0.6 * g.lean + 1.5 * std::cos(2 * kTau * phase);
    pose.rotation[kAbdomen].z = -0.6 * g.roll * s;
    pose.rotation[kNeck].x = -0.6 * g.lean;
    pose.rotation[kNeck].y = -0.8 * g.twist * c;
    pose.rotation[kHead].x = -0.2 * g.lean + 2 * std::cos(2 * kTau * phase + 1);
    pose.root.x = g.sway * s;
    ground(pose);
    // Both feet leave the ground twice a cycle in a run: mid-way between a push-off and the next
    // heel strike.
    if (g.flight > 0) pose.root.y += g.flight * (bump(phase, 0.44, 0.07) + bump(phase, 0.94, 0.07));
    return pose;
}

// ---- key-framed actions --------------------------------------------------------------------

using PoseEdit = std::function<void(Pose&)>;

struct Key {
    double time;  // fraction of the clip, 0..1; the clip wraps to the first key
    PoseEdit edit;
};

// w[0]·p[0] + … + w[3]·p[3], channel by channel.
Pose weighted(const Pose* p[4], const double w[4]) {
    Pose r;
    r.root = {};
    for (int j = 0; j < kJointCount; ++j) r.rotation[j] = {};
    for (int k = 0; k < 4; ++k) {
        r.root = r.root + p[k]->root * w[k];
        for (int j = 0; j < kJointCount; ++j) {
            r.rotation[j].z += p[k]->rotation[j].z * w[k];
            r.rotation[j].x += p[k]->rotation[j].x * w[k];
            r.rotation[j].y += p[k]->rotation[j].y * w[k];
        }
    }
    return r;
}

// Relaxed stance: arms down beside the body, knees soft.
Pose stance() {
    Pose pose;
    pose.rotation[kLShldr].z = -76;
    pose.rotation[kRShldr].z = 76;
    pose.rotation[kLForeArm].y = -12;
    pose.rotation[kRForeArm].y = 12;
    pose.rotation[kLHand].z = -8;
    pose.rotation[kRHand].z = 8;
    pose.rotation[kLThigh].y = 5;  // toes slightly out
    pose.rotation[kRThigh].y = -5;
    pose.rotation[kLThigh].x = -3;
    pose.rotation[kRThigh].x = -3;
    pose.rotation[kLShin].x = 5;
    pose.rotation[kRShin].x = 5;
    pose.rotation[kLFoot].x = -2;
    pose.rotation[kRFoot].x = -2;
    return pose;
}

// A Catmull-Rom curve through a loop of keys (first key at time 0), so the motion flows
// through each key instead of stopping there.
Pose keyed_pose(const std::vector<Key>& keys, double phase, const std::vector<Pose>& poses) {
    const int n = static_cast<int>(keys.size());
    auto time = [&](int k) { return keys[((k % n) + n) % n].time + std::floor(static_cast<double>(k) / n); };
    int i = 0;
    while (i + 1 < n && keys[i + 1].time <= phase) ++i;
    const double tm = time(i - 1), t0 = time(i), t1 = time(i + 1), t2 = time(i + 2);
    const double u = (phase - t0) / (t1 - t0), u2 = u * u, u3 = u2 * u;
    const double h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = -2 * u3 + 3 * u2, h11 = u3 - u2;
    // Tangents (p[i+1] - p[i-1]) and (p[i+2] - p[i]), scaled from their spans to this segment.
    const double s1 = (t1 - t0) / (t1 - tm), s2 = (t1 - t0) / (t2 - t0);
    const Pose* p[4] = {&poses[(i - 1 + n) % n], &poses[i], &poses[(i + 1) % n], &poses[(i + 2) % n]};
    const double w[4] = {-h10 * s1, h00 - h11 * s2, h01 + h10 * s1, h11 * s2};
    return weighted(p, w);
}

std::vector<Pose> key_poses(const std::vector<Key>& keys) {
    std::vector<Pose> poses;
    for (const Key& k : keys) {
        Pose p = stance();
        k.edit(p);
        poses.push_back(p);
    }
    return poses;
}

// Standing, sitting down onto a seat at knee height, a seated idle, and standing up again.
Pose sit_pose(double phase) {
    static const std::vector<Key> keys = {
        {0.0, [](Pose&) {}},
        {0.08,
         [](Pose& p) {
             p.rotation[kHead].x = 12;
             p.rotation[kNeck].x = 8;
         }},
        {0.16,
         [](Pose& p) {  // bending, reaching back for the seat
             p.root.z = -7;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -62;
             p.rotation[kLShin].x = p.rotation[kRShin].x = 70;
             p.rotation[kAbdomen].x = 22;
             p.rotation[kChest].x = 12;
             p.rotation[kLShldr].y = 25;
             p.rotation[kRShldr].y = -25;
         }},
        {0.26,
         [](Pose& p) {  // seated
             p.root.z = -16.5;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -88;
             p.rotation[kLThigh].y = -8;
             p.rotation[kRThigh].y = 8;
             p.rotation[kLShin].x = p.rotation[kRShin].x = 88;
             p.rotation[kAbdomen].x = 4;
             p.rotation[kChest].x = 4;
             p.rotation[kLShldr].z = -70;
             p.rotation[kRShldr].z = 70;
             p.rotation[kLShldr].y = -28;
             p.rotation[kRShldr].y = 28;
             p.rotation[kLForeArm].y = -40;
             p.rotation[kRForeArm].y = 40;
         }},
        {0.4,
         [](Pose& p) {  // seated, looking round, one hand on the knee
             p.root.z = -16.5;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -88;
             p.rotation[kLShin].x = 80;
             p.rotation[kRShin].x = 96;
             p.rotation[kAbdomen].x = 8;
             p.rotation[kChest].x = 6;
             p.rotation[kChest].y = 10;
             p.rotation[kNeck].y = 25;
             p.rotation[kHead].y = 15;
             p.rotation[kHead].x = -6;
             p.rotation[kLShldr].z = -66;
             p.rotation[kRShldr].z = 70;
             p.rotation[kLShldr].y = -40;
             p.rotation[kRShldr].y = 30;
             p.rotation[kLForeArm].y = -55;
             p.rotation[kRForeArm].y = 45;
         }},
        {0.56,
         [](Pose& p) {  // seated, leaning forward, forearms on the thighs
             p.root.z = -16.5;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -88;
             p.rotation[kLThigh].y = -12;
             p.rotation[kRThigh].y = 12;
             p.rotation[kLShin].x = p.rotation[kRShin].x = 88;
             p.rotation[kAbdomen].x = 18;
             p.rotation[kChest].x = 14;
             p.rotation[kNeck].x = -14;
             p.rotation[kNeck].y = -10;
             p.rotation[kLShldr].z = -62;
             p.rotation[kRShldr].z = 62;
             p.rotation[kLShldr].y = -48;
             p.rotation[kRShldr].y = 48;
             p.rotation[kLForeArm].y = -60;
             p.rotation[kRForeArm].y = 60;
         }},
        {0.72,
         [](Pose& p) {  // seated upright, looking the other way
             p.root.z = -16.5;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -88;
             p.rotation[kLShin].x = 94;
             p.rotation[kRShin].x = 84;
             p.rotation[kAbdomen].x = 2;
             p.rotation[kChest].x = 2;
             p.rotation[kChest].y = -8;
             p.rotation[kNeck].y = -22;
             p.rotation[kHead].x = 5;
             p.rotation[kLShldr].z = -72;
             p.rotation[kRShldr].z = 72;
             p.rotation[kLShldr].y = -24;
             p.rotation[kRShldr].y = 24;
             p.rotation[kLForeArm].y = -42;
             p.rotation[kRForeArm].y = 42;
         }},
        {0.82,
         [](Pose& p) {  // leaning forward to rise
             p.root.z = -15;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -92;
             p.rotation[kLShin].x = p.rotation[kRShin].x = 100;
             p.rotation[kAbdomen].x = 30;
             p.rotation[kChest].x = 16;
             p.rotation[kNeck].x = -16;
             p.rotation[kLShldr].y = -30;
             p.rotation[kRShldr].y = 30;
         }},
        {0.9,
         [](Pose& p) {
             p.root.z = -6;
             p.rotation[kLThigh].x = p.rotation[kRThigh].x = -50;
             p.rotation[kLShin].x = p.rotation[kRShin].x = 58;
             p.rotation[kAbdomen].x = 20;
             p.rotation[kChest].x = 10;
         }},
    };
    static const std::vector<Pose> poses = key_poses(keys);
    Pose pose = keyed_pose(keys, phase, poses);
    pose.rotation[kChest].x += 1.2 * std::sin(kTau * 6 * phase);  // breathing
    for (int foot : {kLFoot, kRFoot}) {
        int shin = foot - 1, thigh = foot - 2;
        pose.rotation[foot].x = -(pose.rotation[thigh].x + pose.rotation[shin].x);  // soles flat
    }
    ground(pose);
    return pose;
}

// An overarm throw with the right arm, stepping onto the left foot.
Pose throw_pose(double phase) {
    static const std::vector<Key> keys = {
        {0.0, [](Pose&) {}},
        {0.3,
         [](Pose& p) {  // wind-up: weight back, arm cocked behind the head
             p.rotation[kHip].y = -35;
             p.rotation[kChest].y = -20;
             p.rotation[kAbdomen].y = -10;
             p.rotation[kNeck].y = 40;
             p.rotation[kHead].y = 20;
             p.rotation[kChest].x = -6;
             p.rotation[kLThigh].x = -28;
             p.rotation[kLShin].x = 20;
             p.rotation[kRThigh].x = 6;
             p.rotation[kRShin].x = 22;
             p.rotation[kRShldr].z = -10;
             p.rotation[kRShldr].y = -40;
             p.rotation[kRShldr].x = 0;
             p.rotation[kRForeArm].y = 0;
             p.rotation[kRForeArm].z = -95;
             p.rotation[kLShldr].z = -10;
             p.rotation[kLShldr].y = -55;
             p.rotation[kLForeArm].y = -20;
         }},
        {0.42,
         [](Pose& p) {  // release: body turned through, arm high and forward
             p.rotation[kHip].y = 20;
             p.rotation[kChest].y = 25;
             p.rotation[kAbdomen].y = 10;
             p.rotation[kNeck].y = -25;
             p.rotation[kChest].x = 14;
             p.rotation[kAbdomen].x = 8;
             p.rotation[kLThigh].x = -38;
             p.rotation[kLShin].x = 18;
             p.rotation[kRThigh].x = 22;
             p.rotation[kRShin].x = 30;
             p.rotation[kRShldr].z = 0;
             p.rotation[kRShldr].y = 70;
             p.rotation[kRShldr].x = -35;
             p.rotation[kRForeArm].z = -15;
             p.rotation[kRHand].z = 20;
             p.rotation[kLShldr].z = -70;
             p.rotation[kLShldr].y = 30;
             p.rotation[kLForeArm].y = -50;
         }},
        {0.55,
         [](Pose& p) {  // follow-through: arm across and down
             p.rotation[kHip].y = 30;
             p.rotation[kChest].y = 30;
             p.rotation[kAbdomen].y = 10;
             p.rotation[kNeck].y = -30;
             p.rotation[kChest].x = 22;
             p.rotation[kAbdomen].x = 14;
             p.rotation[kLThigh].x = -40;
             p.rotation[kLShin].x = 26;
             p.rotation[kRThigh].x = 26;
             p.rotation[kRShin].x = 40;
             p.rotation[kRShldr].z = 40;
             p.rotation[kRShldr].y = 85;
             p.rotation[kRShldr].x = 20;
             p.rotation[kRForeArm].y = 20;
             p.rotation[kRForeArm].z = -10;
             p.rotation[kLShldr].z = -72;
             p.rotation[kLShldr].y = 40;
             p.rotation[kLForeArm].y = -40;
         }},
        {0.75,
         [](Pose& p) {  // recovering, watching the throw
             p.rotation[kHip].y = 10;
             p.rotation[kChest].y = 10;
             p.rotation[kNeck].y = -10;
             p.rotation[kLThigh].x = -18;
             p.rotation[kLShin].x = 10;
             p.rotation[kRThigh].x = 8;
             p.rotation[kRShin].x = 12;
             p.rotation[kHead].x = -10;
         }},
    };
    static const std::vector<Pose> poses = key_poses(keys);
    Pose pose = keyed_pose(keys, phase, poses);
    for (int foot : {kLFoot, kRFoot}) {
        int shin = foot - 1, thigh = foot - 2;
        pose.rotation[foot].x = -(pose.rotation[thigh].x + pose.rotation[shin].x) - pose.rotation[kHip].x;
    }
    ground(pose);
    return pose;
}

// The push's lunge: left foot forward, right leg braced behind, body leaning in.
void braced(Pose& p) {
    p.rotation[kLThigh].x = -30;
    p.rotation[kLShin].x = 34;
    p.rotation[kRThigh].x = 18;
    p.rotation[kRShin].x = 10;
    p.rotation[kAbdomen].x = 10;
    p.rotation[kChest].x = 8;
    p.rotation[kNeck].x = -12;
}

// A two-handed push: a lunge onto the front foot with both arms driving forward, and back.
Pose push_pose(double phase) {
    static const std::vector<Key> keys = {
        {0.0,
         [](Pose& p) {  // gathered: hands at the chest, elbows back
             braced(p);
             p.root.z = -2;
             p.rotation[kLShldr].z = -62;
             p.rotation[kRShldr].z = 62;
             p.rotation[kLShldr].y = 30;
             p.rotation[kRShldr].y = -30;
             p.rotation[kLForeArm].y = -125;
             p.rotation[kRForeArm].y = 125;
             p.rotation[kLHand].z = 40;
             p.rotation[kRHand].z = -40;
         }},
        {0.38,
         [](Pose& p) {  // driving forward
             braced(p);
             p.root.z = 4;
             p.rotation[kLThigh].x = -38;
             p.rotation[kLShin].x = 44;
             p.rotation[kRThigh].x = 30;
             p.rotation[kRShin].x = 4;
             p.rotation[kAbdomen].x = 18;
             p.rotation[kChest].x = 12;
             p.rotation[kLShldr].z = -8;
             p.rotation[kRShldr].z = 8;
             p.rotation[kLShldr].y = -72;
             p.rotation[kRShldr].y = 72;
             p.rotation[kLShldr].x = 8;
             p.rotation[kRShldr].x = 8;
             p.rotation[kLForeArm].y = -12;
             p.rotation[kRForeArm].y = 12;
             p.rotation[kLHand].z = 55;
             p.rotation[kRHand].z = -55;
         }},
        {0.55,
         [](Pose& p) {  // held against the load
             braced(p);
             p.root.z = 4.5;
             p.rotation[kLThigh].x = -40;
             p.rotation[kLShin].x = 46;
             p.rotation[kRThigh].x = 32;
             p.rotation[kRShin].x = 4;
             p.rotation[kAbdomen].x = 20;
             p.rotation[kChest].x = 12;
             p.rotation[kLShldr].z = -6;
             p.rotation[kRShldr].z = 6;
             p.rotation[kLShldr].y = -70;
             p.rotation[kRShldr].y = 70;
             p.rotation[kLShldr].x = 6;
             p.rotation[kRShldr].x = 6;
             p.rotation[kLForeArm].y = -22;
             p.rotation[kRForeArm].y = 22;
             p.rotation[kLHand].z = 60;
             p.rotation[kRHand].z = -60;
         }},
        {0.8,
         [](Pose& p) {  // recoil
             braced(p);
             p.root.z = -3;
             p.rotation[kAbdomen].x = 4;
             p.rotation[kChest].x = 2;
             p.rotation[kLShldr].z = -55;
             p.rotation[kRShldr].z = 55;
             p.rotation[kLShldr].y = 10;
             p.rotation[kRShldr].y = -10;
             p.rotation[kLForeArm].y = -100;
             p.rotation[kRForeArm].y = 100;
         }},
    };
    static const std::vector<Pose> poses = key_poses(keys);
    Pose pose = keyed_pose(keys, phase, poses);
    for (int foot : {kLFoot, kRFoot}) {
        int shin = foot - 1, thigh = foot - 2;
        pose.rotation[foot].x = -(pose.rotation[thigh].x + pose.rotation[shin].x);
    }
    ground(pose);
    return pose;
}

// ---- BVH text ---------------------------------------------------------------------------------

void append(std::string& out, const char* format, double a, double b, double c) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    out += buffer;
}

void write_joint(std::string& out, int joint, int depth) {
    std::string indent(depth * 2, ' ');
    const SkeletonJoint& j = kSkeleton[joint];
    out += indent + (j.parent < 0 ? "ROOT " : "JOINT ") + j.name + "\n" + indent + "{\n";
    append(out, (indent + "  OFFSET %.4f %.4f %.4f\n").c_str(), j.offset.x, j.offset.y, j.offset.z);
    out +=
        indent + (j.parent < 0 ? "  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
                               : "  CHANNELS 3 Zrotation Xrotation Yrotation\n");
    bool has_children = false;
    for (int c = 0; c < kJointCount; ++c) {
        if (kSkeleton[c].parent != joint) continue;
        has_children = true;
        write_joint(out, c, depth + 1);
    }
    if (!has_children) {
        out += indent + "  End Site\n" + indent + "  {\n";
        append(out, (indent + "    OFFSET %.4f %.4f %.4f\n").c_str(), j.end.x, j.end.y, j.end.z);
        out += indent + "  }\n";
    }
    out += indent + "}\n";
}

double tidy(double v) { return std::fabs(v) < 5e-5 ? 0.0 : v; }

std::string write_bvh(int frames, double frame_time, const std::function<Pose(double)>& pose_at) {
    std::string out = "HIERARCHY\n";
    write_joint(out, kHip, 0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "MOTION\nFrames: %d\nFrame Time: %.6f\n", frames, frame_time);
    out += buffer;
    for (int f = 0; f < frames; ++f) {
        Pose pose = pose_at(static_cast<double>(f) / frames);
        append(out, "%.4f %.4f %.4f", tidy(pose.root.x), tidy(pose.root.y), tidy(pose.root.z));
        for (int j = 0; j < kJointCount; ++j) {
            const Rotation& r = pose.rotation[j];
            append(out, " %.4f %.4f %.4f", tidy(r.z), tidy(r.x), tidy(r.y));
        }
        out += '\n';
    }
    return out;
}

struct Clip {
    const char* name;
    const char* description;
    int frames;
    double frame_time;
    std::function<Pose(double)> pose;
};

}  // namespace

void add_motions(Pack& pack) {
    const Clip clips[] = {
        {"neomeshes//avatar_run.bvh",
         "motion clip: running gait in place, bent arms swinging, flight phase; 12-frame loop, figure 71 "
         "tall facing +z",
         kRun.frames, kRun.frame_time, [](double p) { return gait_pose(kRun, p); }},
        {"neomeshes//avatar_run2.bvh",
         "motion clip: long-striding sprint in place, high knees, wide arm drive; 14-frame loop",
         kRun2.frames, kRun2.frame_time, [](double p) { return gait_pose(kRun2, p); }},
        {"neomeshes//avatar_walk.bvh",
         "motion clip: walking gait in place, heel-toe roll, hip bob, arm swing; 14-frame loop", kWalk.frames,
         kWalk.frame_time, [](double p) { return gait_pose(kWalk, p); }},
        {"neomeshes//avatar_sit.bvh",
         "motion clip: sits down onto a knee-high seat, seated idle, stands up again; 120-frame loop", 120,
         1 / 12.0, sit_pose},
        {"neomeshes//avatar_throw_R.bvh",
         "motion clip: overarm throw with the right arm, stepping into it, and recovery; 48-frame loop", 48,
         1 / 12.0, throw_pose},
        {"neomeshes//avatar_push.bvh",
         "motion clip: two-handed push from a lunge, held and released; 36-frame loop", 36, 1 / 12.0,
         push_pose},
    };
    for (const Clip& clip : clips)
        pack.add(clip.name, clip.description,
                 [&clip] { return write_bvh(clip.frames, clip.frame_time, clip.pose); });
}
