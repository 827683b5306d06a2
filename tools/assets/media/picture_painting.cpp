#include "tools/assets/media/picture_painting.h"

#include "core/random.h"
#include "tools/assets/media/procedural_noise.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double kPi = 3.14159265358979323846;

using Colour = cv::Vec3d;

Colour mix(const Colour& a, const Colour& b, double t) { return a + (b - a) * t; }

unsigned char to_byte(double v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// Paints a width × height picture from a function of the pixel centre (u, v) in [0, 1)².
cv::Mat paint(int width, int height, const std::function<Colour(double, double)>& shade) {
    cv::Mat picture(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y) {
        auto* row = picture.ptr<cv::Vec3b>(y);
        for (int x = 0; x < width; ++x) {
            const Colour c = shade((x + 0.5) / width, (y + 0.5) / height);
            row[x] = cv::Vec3b(to_byte(c[0]), to_byte(c[1]), to_byte(c[2]));
        }
    }
    return picture;
}

// Distance from the picture centre, 1 at the middle of each edge.
double radius(double u, double v) { return std::hypot(2 * u - 1, 2 * v - 1); }

double blob(double r) { return std::exp(-4.5 * r * r) * (1 - smoothstep(0.8, 1.0, r)); }

// Periodic points for cellular patterns: a jittered n × n grid on the torus.
struct CellPoints {
    int n;
    std::vector<cv::Point2d> points;
    CellPoints(int cells, uint32_t seed) : n(cells) {
        RandomGenerator random(seed);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                points.emplace_back((i + 0.2 + 0.6 * random.draw_unit()) / n,
                                    (j + 0.2 + 0.6 * random.draw_unit()) / n);
    }
    // Nearest and second-nearest wrapped distances, and the nearest point's index.
    void nearest(double u, double v, double& d1, double& d2, int& index) const {
        d1 = d2 = 10;
        index = 0;
        for (size_t k = 0; k < points.size(); ++k) {
            double dx = std::abs(u - points[k].x), dy = std::abs(v - points[k].y);
            dx = std::min(dx, 1 - dx);
            dy = std::min(dy, 1 - dy);
            const double d = std::hypot(dx, dy);
            if (d < d1) {
                d2 = d1;
                d1 = d;
                index = static_cast<int>(k);
            } else if (d < d2) {
                d2 = d;
            }
        }
    }
};

}  // namespace

cv::Mat paint_height_field() {
    const TileableFractal field(4, 5, 0.5, 1201);
    const TileableNoise ripples(16, 77);
    cv::Mat picture(256, 256, CV_8UC1);
    for (int y = 0; y < picture.rows; ++y)
        for (int x = 0; x < picture.cols; ++x) {
            const double u = (x + 0.5) / 256, v = (y + 0.5) / 256;
            const double h = 0.85 * field.at(u, v) + 0.15 * ripples.at(u, v);
            picture.at<unsigned char>(y, x) = to_byte(smoothstep(0.25, 0.75, h));
        }
    return picture;
}

cv::Mat paint_soft_blob() {
    return paint(128, 128, [](double u, double v) {
        const double b = blob(radius(u, v));
        return Colour(b, b * 0.98, b * 0.95);
    });
}

cv::Mat paint_chessboard() {
    const TileableFractal grain(2, 4, 0.55, 31);
    const Colour light(0.92, 0.86, 0.74), dark(0.24, 0.15, 0.10);
    return paint(512, 512, [&](double u, double v) {
        const int i = static_cast<int>(u * 8), j = static_cast<int>(v * 8);
        const Colour base = (i + j) % 2 ? dark : light;
        const double g = grain.at(u * 0.25, std::fmod(v * 3 + 0.37 * i, 1.0));
        return base * (0.9 + 0.16 * g);
    });
}

cv::Mat paint_paper() {
    const int size = 512;
    const TileableFractal pulp(8, 5, 0.6, 4242);
    // Fibres are short curved strokes splatted with wrap-around, so the sheet tiles.
    std::vector<double> fibres(static_cast<size_t>(size * size), 0.0);
    RandomGenerator random(9001);
    for (int f = 0; f < 2600; ++f) {
        double x = random.draw_unit() * size, y = random.draw_unit() * size;
        double angle = random.draw_unit() * 2 * kPi;
        const double bend = (random.draw_unit() - 0.5) * 0.08;
        const double length = 8 + 40 * random.draw_unit();
        const double strength = (random.draw_unit() < 0.7 ? -1 : 1) * (0.02 + 0.05 * random.draw_unit());
        for (double s = 0; s < length; s += 0.5) {
            const int ix = ((static_cast<int>(std::floor(x)) % size) + size) % size;
            const int iy = ((static_cast<int>(std::floor(y)) % size) + size) % size;
            fibres[static_cast<size_t>(iy * size + ix)] += strength * std::sin(kPi * s / length);
            x += 0.5 * std::cos(angle);
            y += 0.5 * std::sin(angle);
            angle += bend;
        }
    }
    cv::Mat picture = paint(size, size, [&](double u, double v) {
        const double p = pulp.at(u, v);
        return Colour(0.93, 0.91, 0.86) * (0.93 + 0.1 * p);
    });
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // Soften each fibre over its neighbours (wrapped) so strokes are not single pixels.
            double f = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    f += fibres[static_cast<size_t>(((y + dy + size) % size) * size +
                                                    (x + dx + size) % size)] *
                         (dx == 0 && dy == 0 ? 0.5 : 0.0625);
            cv::Vec3b& px = picture.at<cv::Vec3b>(y, x);
            for (int c = 0; c < 3; ++c) px[c] = to_byte(px[c] / 255.0 + f);
        }
    return picture;
}

cv::Mat paint_textured_blob() {
    const TileableFractal mottle(6, 4, 0.55, 555);
    return paint(256, 256, [&](double u, double v) {
        const double b = blob(radius(u, v) * 1.05);
        const double m = smoothstep(0.3, 0.7, mottle.at(u, v));
        return Colour(0.95, 0.92, 0.85) * b * (0.45 + 0.55 * m);
    });
}

cv::Mat paint_sea_background() {
    const TileableFractal haze(3, 5, 0.5, 1010);
    return paint(512, 512, [&](double u, double v) {
        const Colour top(0.02, 0.10, 0.22), bottom(0.01, 0.03, 0.08), light(0.20, 0.45, 0.55);
        Colour c = mix(top, bottom, smoothstep(0.0, 1.0, v));
        c += light * (0.35 * haze.at(u, v * 0.5) * (1 - v));
        const double vignette = 1 - 0.35 * smoothstep(0.6, 1.4, radius(u, v));
        return c * vignette;
    });
}

cv::Mat paint_dusk_background() {
    const TileableFractal haze(4, 4, 0.5, 303);
    return paint(512, 512, [&](double u, double v) {
        const Colour sky(0.16, 0.10, 0.30), glow(0.95, 0.55, 0.30), ground(0.10, 0.05, 0.08);
        Colour c = mix(sky, glow, smoothstep(0.15, 0.62, v));
        c = mix(c, ground, smoothstep(0.62, 0.8, v));
        return c * (0.88 + 0.2 * haze.at(u, v));
    });
}

cv::Mat paint_floral_tile() {
    const TileableFractal wear(4, 4, 0.5, 8080);
    return paint(256, 256, [&](double u, double v) {
        const double dx = u - 0.5, dy = v - 0.5;
        const double r = std::hypot(dx, dy) * 2, theta = std::atan2(dy, dx);
        const Colour ground(0.72, 0.36, 0.22), petal(0.96, 0.90, 0.76), heart(0.16, 0.30, 0.62),
            grout(0.85, 0.82, 0.76);
        Colour c = ground;
        // Corner quarter-rosettes line up across tiles into a second flower.
        const double rc = std::hypot(std::min(u, 1 - u), std::min(v, 1 - v)) * 2;
        c = mix(c, petal * 0.9, 1 - smoothstep(0.26, 0.29, rc));
        const double petal_edge = 0.7 * (0.55 + 0.45 * std::abs(std::cos(4 * theta)));
        c = mix(c, petal, 1 - smoothstep(petal_edge - 0.02, petal_edge + 0.01, r));
        c = mix(c, heart, 1 - smoothstep(0.16, 0.18, r));
        c = mix(c, petal, 1 - smoothstep(0.05, 0.07, r));
        const double border = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
        c = mix(c, grout, 1 - smoothstep(0.008, 0.016, border));
        return c * (0.9 + 0.14 * wear.at(u, v));
    });
}

cv::Mat paint_cloud_texture() {
    const TileableFractal cloud(3, 6, 0.55, 3131);
    return paint(512, 512, [&](double u, double v) {
        const double d = cloud.at(u, v);
        const double c = smoothstep(0.42, 0.72, d);
        const double shade = smoothstep(0.42, 0.9, cloud.at(u + 0.01, v + 0.015));
        return mix(Colour(0.04, 0.07, 0.16), Colour(0.95, 0.96, 1.0) * (0.75 + 0.25 * shade), c);
    });
}

namespace {

cv::Mat paint_cloud_sky(uint32_t seed, const Colour& zenith, const Colour& horizon, const Colour& cloud_lit,
                        const Colour& cloud_dark) {
    const TileableFractal cloud(4, 6, 0.55, seed);
    return paint(512, 256, [&](double u, double v) {
        Colour c = mix(zenith, horizon, smoothstep(0.0, 1.0, v));
        // Clouds thin out towards the horizon and flatten with distance.
        const double d = cloud.at(u, std::fmod(v * v * 0.8 + 0.1, 1.0));
        const double amount = smoothstep(0.45, 0.75, d) * (1 - 0.6 * smoothstep(0.6, 1.0, v));
        const double lit =
            smoothstep(0.45, 0.85, cloud.at(u + 0.006, std::fmod(v * v * 0.8 + 0.1 - 0.01, 1.0)));
        return mix(c, mix(cloud_dark, cloud_lit, lit), amount);
    });
}

}  // namespace

cv::Mat paint_day_clouds() {
    return paint_cloud_sky(1831, Colour(0.18, 0.38, 0.72), Colour(0.70, 0.82, 0.92), Colour(1.0, 0.98, 0.95),
                           Colour(0.62, 0.66, 0.74));
}

cv::Mat paint_night_clouds() {
    return paint_cloud_sky(1832, Colour(0.01, 0.02, 0.06), Colour(0.06, 0.09, 0.18), Colour(0.55, 0.58, 0.68),
                           Colour(0.08, 0.09, 0.14));
}

cv::Mat paint_turtle_shell() {
    const CellPoints cells(5, 4711);
    const TileableFractal mottle(8, 3, 0.5, 4712);
    return paint(256, 256, [&](double u, double v) {
        double d1, d2;
        int index;
        cells.nearest(u, v, d1, d2, index);
        const double seam = d2 - d1;
        const double centre = 1 - smoothstep(0.0, 0.12, d1);
        const double rings = 0.5 + 0.5 * std::cos(d1 * 140);
        const double tint = lattice_hash(index, 0, 0, 4713);
        Colour c = mix(Colour(0.30, 0.26, 0.10), Colour(0.55, 0.45, 0.18), 0.5 * tint + 0.5 * centre);
        c *= 0.85 + 0.1 * rings + 0.1 * mottle.at(u, v);
        return mix(Colour(0.08, 0.07, 0.03), c, smoothstep(0.004, 0.018, seam));
    });
}

cv::Mat paint_sparkle() {
    return paint(128, 128, [](double u, double v) {
        const double x = 2 * u - 1, y = 2 * v - 1, r = std::hypot(x, y);
        const double fade = 1 - smoothstep(0.6, 0.98, r);
        const double core = std::exp(-r * r * 30) + 0.35 * std::exp(-r * r * 5);
        const double spikes =
            (std::exp(-std::abs(x) * 60) + std::exp(-std::abs(y) * 60)) * std::exp(-r * 2.5) * 0.7;
        const double s = (core + spikes) * fade;
        return Colour(0.85, 0.92, 1.0) * s;
    });
}

cv::Mat paint_blood() {
    RandomGenerator random(6660);
    struct Drop {
        double x, y, r;
    };
    std::vector<Drop> drops;
    for (int i = 0; i < 5; ++i)
        drops.push_back({0.5 + 0.25 * (random.draw_unit() - 0.5), 0.5 + 0.25 * (random.draw_unit() - 0.5),
                         0.06 + 0.06 * random.draw_unit()});
    for (int i = 0; i < 60; ++i) {
        const double angle = random.draw_unit() * 2 * kPi, dist = 0.12 + 0.26 * std::sqrt(random.draw_unit());
        drops.push_back(
            {0.5 + dist * std::cos(angle), 0.5 + dist * std::sin(angle), 0.004 + 0.018 * random.draw_unit()});
    }
    const TileableFractal clot(6, 4, 0.5, 6661);
    return paint(256, 256, [&](double u, double v) {
        double field = 0;
        for (const Drop& d : drops) {
            const double dd = (u - d.x) * (u - d.x) + (v - d.y) * (v - d.y);
            field += d.r * d.r / (dd + 1e-6);
        }
        const double wet = smoothstep(0.9, 1.3, field) * (1 - smoothstep(0.7, 0.95, radius(u, v)));
        const double depth = smoothstep(1.0, 6.0, field);
        return mix(Colour(0.0, 0.0, 0.0), mix(Colour(0.55, 0.02, 0.03), Colour(0.30, 0.0, 0.02), depth),
                   wet) *
               (0.85 + 0.25 * clot.at(u, v));
    });
}

cv::Mat paint_old_planks() {
    const TileableFractal grain(2, 5, 0.6, 1666);
    const TileableFractal stains(3, 4, 0.5, 1667);
    return paint(512, 512, [&](double u, double v) {
        const int plank = static_cast<int>(v * 8);
        const double within = v * 8 - plank;
        const double shift = lattice_hash(plank, 1, 0, 1668);
        const double g =
            grain.at(std::fmod(u * 0.5 + shift, 1.0), std::fmod(within * 0.125 + plank * 0.125, 1.0));
        const double lines = 0.5 + 0.5 * std::sin((within * 9 + g * 14) * kPi);
        Colour c = mix(Colour(0.28, 0.18, 0.10), Colour(0.52, 0.36, 0.20), 0.35 * lines + 0.65 * g);
        c *= 0.8 + 0.3 * shift;
        // Knots, end joints and the dark gaps between planks.
        const double kx = lattice_hash(plank, 2, 0, 1669), kr = std::hypot((u - kx) * 3, within - 0.5);
        c = mix(c, Colour(0.16, 0.09, 0.05), 1 - smoothstep(0.05, 0.12, kr));
        const double along = std::fmod(u + shift * 0.37, 0.5);  // plank ends every half picture
        const double joint = std::min(along, 0.5 - along);
        c = mix(c, Colour(0.08, 0.05, 0.03), 1 - smoothstep(0.0, 0.006, joint));
        c = mix(c, Colour(0.05, 0.03, 0.02), 1 - smoothstep(0.02, 0.06, std::min(within, 1 - within)));
        return c * (0.8 + 0.3 * stains.at(u, v));
    });
}
