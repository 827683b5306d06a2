#include "tools/assets/media/cutouts.h"

#include "tools/assets/generators.h"
#include "tools/assets/media/paper_cut.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
using Layer = PaperCut::Layer;
using Points = std::vector<cv::Point2d>;

// A closed curve r(θ) around a centre, as a polygon.
Points radial(cv::Point2d centre, int steps, double (*r)(double, double), double parameter) {
    Points points;
    for (int i = 0; i < steps; ++i) {
        const double theta = 2 * kPi * i / steps;
        const double radius = r(theta, parameter);
        points.emplace_back(centre.x + radius * std::cos(theta), centre.y + radius * std::sin(theta));
    }
    return points;
}

// Rolling sea: a band whose top edge rises into sharp crests that lean forward.
cv::Mat cut_waves(int crests, double height, double lean, double phase) {
    PaperCut sheet(cutout_size);
    Points band = {{-0.95, -0.7}};
    for (int i = 0; i <= 240; ++i) {
        const double x = -0.95 + 1.9 * i / 240;
        const double s = (x + 0.95) / 1.9 * crests + phase;
        const double f = s - std::floor(s);
        // A slow rise and a steep fall make a crest; `lean` pushes it forward.
        const double shape = std::pow(std::sin(kPi * std::pow(f, 1 + lean)), 2);
        band.emplace_back(x, -0.2 + height * shape);
    }
    band.emplace_back(0.95, -0.7);
    sheet.polygon(band, Layer::paper);
    return sheet.finish();
}

cv::Mat cut_w1() { return cut_waves(3, 0.45, 0.8, 0.1); }

// A curling wave: the back of a swell rises to a crest whose lip rolls forward and down in a
// spiral, leaving the barrel open below it; foam flecks are cut as holes in the swell.
cv::Mat cut_w2() {
    PaperCut sheet(cutout_size);
    Points swell = {{-0.95, -0.75}};
    for (int i = 0; i <= 160; ++i) {
        const double x = -0.95 + 1.9 * i / 160;
        const double back = -0.35 + 0.8 * std::pow((x + 0.95) / 1.2, 2.0);
        const double face = 0.45 - 2.2 * (x - 0.25);
        swell.emplace_back(x, std::max(-0.5, x < 0.25 ? back : face));
    }
    swell.emplace_back(0.95, -0.75);
    sheet.polygon(swell, Layer::paper);
    // The lip: from the crest forward and round, thinning as it curls in.
    const cv::Point2d centre(0.5, 0.3);
    for (int i = 0; i < 70; ++i) {
        const double u = i / 70.0, v = (i + 1) / 70.0;
        auto at = [&](double w) {
            const double a = kPi * (0.85 - 1.45 * w), r = 0.27 - 0.15 * w;
            return cv::Point2d(centre.x + r * std::cos(a), centre.y + r * std::sin(a));
        };
        sheet.stroke({at(u), at(v)}, 0.13 - 0.08 * u, Layer::paper);
    }
    sheet.disc({-0.45, -0.5}, 0.06, Layer::hole);
    sheet.disc({-0.15, -0.42}, 0.045, Layer::hole);
    return sheet.finish();
}

double sun_edge(double theta, double rays) {
    const double tooth =
        std::abs(std::fmod(theta * rays / (2 * kPi) + 1000.5, 1.0) - 0.5) * 2;  // 1 at a ray tip
    return 0.55 + 0.32 * std::pow(1 - tooth, 2.5);
}

// A smiling sun: toothed rays around a face with two eyes and a smile.
cv::Mat cut_sun() {
    PaperCut sheet(cutout_size);
    sheet.polygon(radial({0, 0}, 720, sun_edge, 12), Layer::paper);
    sheet.disc({-0.18, 0.12}, 0.07, Layer::hole);
    sheet.disc({0.18, 0.12}, 0.07, Layer::hole);
    Points smile;
    for (int i = 0; i <= 30; ++i) {
        const double a = kPi * (1.2 + 0.6 * i / 30);
        smile.emplace_back(0.3 * std::cos(a), 0.05 + 0.3 * std::sin(a));
    }
    sheet.stroke(smile, 0.06, Layer::hole);
    return sheet.finish();
}

// A cumulus cloud: overlapping puffs on a flat base.
cv::Mat cut_cloud() {
    PaperCut sheet(cutout_size);
    sheet.polygon({{-0.85, -0.35}, {0.85, -0.35}, {0.85, -0.1}, {-0.85, -0.1}}, Layer::paper);
    sheet.disc({-0.6, -0.08}, 0.26, Layer::paper);
    sheet.disc({-0.22, 0.18}, 0.38, Layer::paper);
    sheet.disc({0.25, 0.12}, 0.33, Layer::paper);
    sheet.disc({0.62, -0.08}, 0.24, Layer::paper);
    sheet.disc({-0.85, -0.225}, 0.125, Layer::paper);
    sheet.disc({0.85, -0.225}, 0.125, Layer::paper);
    return sheet.finish();
}

// A crescent moon with a sleepy eye.
cv::Mat cut_moon() {
    PaperCut sheet(cutout_size);
    sheet.disc({0, 0}, 0.8, Layer::paper);
    sheet.disc({0.38, 0.2}, 0.66, Layer::cut);
    sheet.ellipse({-0.44, 0.05}, {0.1, 0.045}, 20, Layer::hole);
    return sheet.finish();
}

// A skyline strip: houses and towers on a common base, windows cut as holes.
cv::Mat cut_skyline(int variant) {
    PaperCut sheet(cutout_size);
    sheet.polygon({{-0.95, -0.8}, {0.95, -0.8}, {0.95, -0.55}, {-0.95, -0.55}}, Layer::paper);
    struct House {
        double x0, x1, top;
        bool gable;
    };
    const House a[] = {{-0.92, -0.55, 0.05, true},
                       {-0.55, -0.25, 0.55, false},
                       {-0.25, 0.15, -0.05, true},
                       {0.15, 0.45, 0.75, false},
                       {0.45, 0.9, 0.15, true}};
    const House b[] = {{-0.9, -0.5, 0.45, false},
                       {-0.5, -0.1, 0.1, true},
                       {-0.1, 0.2, 0.8, false},
                       {0.2, 0.55, -0.1, true},
                       {0.55, 0.92, 0.4, false}};
    const House* houses = variant == 1 ? a : b;
    for (int h = 0; h < 5; ++h) {
        const House& house = houses[h];
        sheet.polygon({{house.x0, -0.6}, {house.x1, -0.6}, {house.x1, house.top}, {house.x0, house.top}},
                      Layer::paper);
        if (house.gable)
            sheet.polygon({{house.x0 - 0.03, house.top - 0.01},
                           {house.x1 + 0.03, house.top - 0.01},
                           {(house.x0 + house.x1) / 2, house.top + 0.3}},
                          Layer::paper);
        // Two windows per building, stacked in its middle.
        const double cx = (house.x0 + house.x1) / 2;
        for (int w = 0; w < 2; ++w) {
            const double y = -0.42 + 0.28 * w;
            if (y + 0.2 > house.top) continue;
            sheet.polygon({{cx - 0.06, y}, {cx + 0.06, y}, {cx + 0.06, y + 0.14}, {cx - 0.06, y + 0.14}},
                          Layer::hole);
        }
    }
    return sheet.finish();
}

cv::Mat cut_cc1a() { return cut_skyline(1); }
cv::Mat cut_cc1b() { return cut_skyline(2); }

// A curly cloud: a row of puffs whose ends roll up into thick spirals, with a round gap in the
// middle.
cv::Mat cut_curly_cloud(double turn) {
    PaperCut sheet(cutout_size);
    sheet.ellipse({0, 0}, {0.55, 0.26}, 0, Layer::paper);
    sheet.disc({-0.22, 0.2}, 0.25, Layer::paper);
    sheet.disc({0.18, 0.25}, 0.28, Layer::paper);
    for (int side = -1; side <= 1; side += 2) {
        const cv::Point2d centre(side * 0.62, 0.02);
        Points curl;
        for (int i = 0; i <= 60; ++i) {
            const double a = kPi * (1.5 - turn * i / 60.0);
            const double r = 0.2 - 0.12 * i / 60;
            curl.emplace_back(centre.x + side * r * std::cos(a), centre.y + r * std::sin(a));
        }
        sheet.stroke(curl, 0.11, Layer::paper);
    }
    sheet.disc({-0.02, 0.05}, 0.1, Layer::hole);
    return sheet.finish();
}

cv::Mat cut_cc2a() { return cut_curly_cloud(1.5); }
cv::Mat cut_cc2b() { return cut_curly_cloud(1.1); }

// Paper fish: a lens-shaped body, a forked tail, a dorsal and a belly fin, an eye hole, and
// optional stripes cut through the body.
struct FishDesign {
    double length, depth, tail, fin;
    int stripes;
};

cv::Mat cut_fish(const FishDesign& f) {
    PaperCut sheet(cutout_size);
    Points body;
    for (int i = 0; i <= 120; ++i) {
        const double t = static_cast<double>(i) / 120;
        const double x = -f.length + 2 * f.length * t;
        body.emplace_back(x, f.depth * std::pow(std::sin(kPi * t), 0.8));
    }
    for (int i = 120; i >= 0; --i) {
        const double t = static_cast<double>(i) / 120;
        const double x = -f.length + 2 * f.length * t;
        body.emplace_back(x, -0.8 * f.depth * std::pow(std::sin(kPi * t), 0.8));
    }
    sheet.polygon(body, Layer::paper);
    const double root = f.length * 0.92;
    sheet.polygon({{root - 0.05, 0.06},
                   {root + f.tail, f.tail * 0.9},
                   {root + f.tail * 0.65, 0.0},
                   {root + f.tail, -f.tail * 0.9},
                   {root - 0.05, -0.06}},
                  Layer::paper);
    sheet.polygon({{-0.15, f.depth * 0.8}, {0.05 + f.fin, f.depth + f.fin}, {0.25, f.depth * 0.7}},
                  Layer::paper);
    sheet.polygon(
        {{0.05, -0.7 * f.depth}, {0.2 + f.fin * 0.5, -0.8 * f.depth - f.fin * 0.7}, {0.3, -0.6 * f.depth}},
        Layer::paper);
    sheet.disc({-f.length * 0.62, f.depth * 0.22}, 0.055, Layer::hole);
    for (int s = 0; s < f.stripes; ++s) {
        const double x = -f.length * 0.25 + s * 0.2;
        sheet.ellipse({x, 0.0}, {0.04, f.depth * 0.45}, -8, Layer::hole);
    }
    return sheet.finish();
}

cv::Mat cut_fish2a1() { return cut_fish({0.6, 0.34, 0.32, 0.12, 0}); }
cv::Mat cut_fish2a2() { return cut_fish({0.62, 0.3, 0.3, 0.16, 0}); }
cv::Mat cut_fish2a3() { return cut_fish({0.55, 0.38, 0.34, 0.1, 1}); }
cv::Mat cut_fish2a5() { return cut_fish({0.66, 0.28, 0.28, 0.14, 0}); }
cv::Mat cut_fish2a6() { return cut_fish({0.58, 0.36, 0.36, 0.18, 2}); }
cv::Mat cut_fish3a1() { return cut_fish({0.52, 0.42, 0.3, 0.12, 3}); }
cv::Mat cut_fish3a2() { return cut_fish({0.5, 0.4, 0.34, 0.16, 3}); }

}  // namespace

std::vector<CutoutEntry> cutout_entries() {
    return {
        {"textures//w1.png", "rolling sea", 0, cut_w1},
        {"textures//w2.png", "curling wave", 2, cut_w2},
        {"textures//Tsun.png", "smiling sun", 3, cut_sun},
        {"textures//Tcloud.png", "cloud", 0, cut_cloud},
        {"textures//Tmoon.png", "crescent moon", 1, cut_moon},
        {"textures//cc1a.png", "skyline", 8, cut_cc1a},
        {"textures//cc1b.png", "skyline", 9, cut_cc1b},
        {"textures//cc2a.png", "curly cloud", 1, cut_cc2a},
        {"textures//cc2b.png", "curly cloud", 1, cut_cc2b},
        {"textures//fish2a1.png", "paper fish", 1, cut_fish2a1},
        {"textures//fish2a2.png", "paper fish", 1, cut_fish2a2},
        {"textures//fish2a3.png", "striped paper fish", 2, cut_fish2a3},
        {"textures//fish2a5.png", "paper fish", 1, cut_fish2a5},
        {"textures//fish2a6.png", "striped paper fish", 3, cut_fish2a6},
        {"textures//fish3a1.png", "striped paper fish", 4, cut_fish3a1},
        {"textures//fish3a2.png", "striped paper fish", 4, cut_fish3a2},
    };
}

void add_cutouts(Pack& pack) {
    for (const CutoutEntry& entry : cutout_entries())
        pack.add(entry.name, "cut-out: " + entry.description, [&] { return encode_grey_png(entry.cut()); });
}
