#include "tools/assets/media/image_sequence.h"

#include "tools/assets/generators.h"
#include "tools/assets/media/paper_cut.h"

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdio>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int supersample = 4;
constexpr int kShift = 3;
constexpr double ground_row = 122;  // the figure's lowest point, in frame pixels

double deg(double d) { return d * kPi / 180; }

// A point `length` away from `from` in the direction `angle` from straight down, positive angles
// pointing forward (to the right: the figure runs to the right).
cv::Point2d limb(cv::Point2d from, double angle, double length) {
    return {from.x + length * std::sin(angle), from.y + length * std::cos(angle)};
}

struct Pose {
    cv::Point2d hip, neck, head, shoulder;
    cv::Point2d knee[2], ankle[2], toe[2];
    cv::Point2d elbow[2], hand[2];
};

// The running pose at gait phase p (one stride per unit). Leg 1 is half a stride behind leg 0;
// each arm swings against its leg.
Pose pose_at(double p) {
    Pose pose;
    const double lean = deg(12);
    pose.hip = {0, 0};
    pose.neck = limb(pose.hip, kPi - lean, 32);
    pose.head = limb(pose.neck, kPi - lean * 0.6, 10);
    pose.shoulder = limb(pose.hip, kPi - lean, 28);
    for (int side = 0; side < 2; ++side) {
        const double q = 2 * kPi * (p + 0.5 * side);
        const double thigh = deg(8) + deg(38) * std::sin(q);
        // The knee folds most while the leg swings forward (thigh angle rising).
        const double fold = deg(18) + deg(95) * std::pow(std::max(0.0, std::cos(q - 0.35)), 1.6);
        pose.knee[side] = limb(pose.hip, thigh, 25);
        pose.ankle[side] = limb(pose.knee[side], thigh - fold, 25);
        pose.toe[side] = limb(pose.ankle[side], thigh - fold + deg(100), 8);
        const double upper = -deg(45) * std::sin(q);
        const double elbow_bend = deg(85) + deg(20) * std::cos(q);
        pose.elbow[side] = limb(pose.shoulder, upper, 15);
        pose.hand[side] = limb(pose.elbow[side], upper + elbow_bend, 14);
    }
    return pose;
}

}  // namespace

std::string sequence_frame_name(int k) {
    char name[64];
    if (k < 10)
        std::snprintf(name, sizeof name, "textures//videos1//t000%d.png", k);
    else if (k < 100)
        std::snprintf(name, sizeof name, "textures//videos1//t00%d.png", k);
    else
        std::snprintf(name, sizeof name, "textures//videos1//t0%d.png", k);
    return name;
}

cv::Mat paint_sequence_frame(int k) {
    const double phase = static_cast<double>(k) * sequence_strides / kSequenceFrames;
    Pose pose = pose_at(phase);

    // Stand the figure on the ground: its lowest point touches ground_row, just above the
    // marker; the hips stay over the marker's column so the figure runs on the spot.
    double lowest = 0;
    for (int side = 0; side < 2; ++side)
        lowest = std::max({lowest, pose.ankle[side].y + 3, pose.toe[side].y + 2});
    const cv::Point2d origin(kMarkerColumn, ground_row - lowest);

    const int n = sequence_size * supersample;
    cv::Mat canvas(n, n, CV_8UC1, cv::Scalar(0));
    auto at = [&](cv::Point2d p) {
        const double s = supersample * (1 << kShift);
        return cv::Point(static_cast<int>(std::lround((p.x + origin.x) * s)),
                         static_cast<int>(std::lround((p.y + origin.y) * s)));
    };
    auto bone = [&](cv::Point2d a, cv::Point2d b, double width) {
        const int t = static_cast<int>(std::lround(width * supersample));
        cv::line(canvas, at(a), at(b), cv::Scalar(255), t, cv::LINE_8, kShift);
        cv::circle(canvas, at(a), t * (1 << kShift) / 2, cv::Scalar(255), cv::FILLED, cv::LINE_8, kShift);
        cv::circle(canvas, at(b), t * (1 << kShift) / 2, cv::Scalar(255), cv::FILLED, cv::LINE_8, kShift);
    };
    for (int side = 0; side < 2; ++side) {
        bone(pose.hip, pose.knee[side], 9);
        bone(pose.knee[side], pose.ankle[side], 6.5);
        bone(pose.ankle[side], pose.toe[side], 4.5);
        bone(pose.shoulder, pose.elbow[side], 6.5);
        bone(pose.elbow[side], pose.hand[side], 5.5);
    }
    bone(pose.hip, pose.neck, 13);
    bone(pose.neck, pose.head, 5);
    cv::circle(canvas, at(limb(pose.head, kPi - deg(7), 5)), 8 * supersample * (1 << kShift), cv::Scalar(255),
               cv::FILLED, cv::LINE_8, kShift);

    cv::Mat picture;
    cv::resize(canvas, picture, cv::Size(sequence_size, sequence_size), 0, 0, cv::INTER_AREA);
    cv::threshold(picture, picture, 127, 255, cv::THRESH_BINARY);
    // Where an arm closes a gap against the body, the gap is cut as a hole, not filled.
    settle_enclosed_background(picture, 12, true);
    picture.at<unsigned char>(kMarkerRow, kMarkerColumn) = marker_value;
    return picture;
}

void add_image_sequence(Pack& pack) {
    for (int k = 0; k < kSequenceFrames; ++k)
        pack.add(sequence_frame_name(k),
                 k == 0 ? "image sequence: running figure, 257 frames" : "image sequence frame",
                 [k] { return encode_grey_png(paint_sequence_frame(k)); });
}
