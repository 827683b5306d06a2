#include "tools/assets/media/picture_painting.h"
#include "tools/assets/media/procedural_noise.h"

#include <algorithm>
#include <cmath>

namespace {

using Direction = cv::Vec3d;

// The direction a cube-map lookup reaches at face coordinates (sc, tc) in [−1, 1], following the
// GL's face orientation table.
Direction face_direction(int face, double sc, double tc) {
    switch (face) {
        case 0:
            return {1, -tc, -sc};
        case 1:
            return {-1, -tc, sc};
        case 2:
            return {sc, 1, tc};
        case 3:
            return {sc, -1, -tc};
        case 4:
            return {sc, -tc, 1};
        default:
            return {-sc, -tc, -1};
    }
}

constexpr uint32_t star_seed = 20100;
constexpr double star_cells = 40;  // star lattice cells per unit of direction

// Stars live one per lattice cell (or none) of the direction scaled by star_cells; each pixel
// sums the stars of its own and the neighbouring cells, so a star near a face edge is drawn on
// both faces alike.
cv::Vec3d stars(const Direction& d) {
    const cv::Vec3d p = d * star_cells;
    const int cx = static_cast<int>(std::floor(p[0])), cy = static_cast<int>(std::floor(p[1])),
              cz = static_cast<int>(std::floor(p[2]));
    cv::Vec3d light(0, 0, 0);
    for (int k = -1; k <= 1; ++k)
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i) {
                const int x = cx + i, y = cy + j, z = cz + k;
                if (lattice_hash(x, y, z, star_seed) > 0.75) continue;
                const cv::Vec3d star(x + 0.15 + 0.7 * lattice_hash(x, y, z, star_seed + 1),
                                     y + 0.15 + 0.7 * lattice_hash(x, y, z, star_seed + 2),
                                     z + 0.15 + 0.7 * lattice_hash(x, y, z, star_seed + 3));
                // Compare directions, not lattice points: project the star onto the sphere. Only
                // stars close to it count, so the projection stays within the cells searched.
                const double shell = cv::norm(star);
                if (std::abs(shell - star_cells) > 0.35) continue;
                const cv::Vec3d on_sphere = star * (star_cells / shell);
                const cv::Vec3d offset = p - on_sphere;
                const double dist2 = offset.dot(offset);
                const double brightness = std::pow(lattice_hash(x, y, z, star_seed + 4), 7.0) * 2.2 + 0.05;
                const double falloff = std::exp(-dist2 / 0.012);
                const double warmth = lattice_hash(x, y, z, star_seed + 5);
                light += cv::Vec3d(0.85 + 0.15 * warmth, 0.9, 1.0 - 0.2 * warmth) * (brightness * falloff);
            }
    return light;
}

cv::Vec3d sky(const Direction& d) {
    const double elevation = d[1];
    cv::Vec3d c = elevation >= 0 ? cv::Vec3d(0.05, 0.07, 0.14) +
                                       (cv::Vec3d(0.006, 0.012, 0.04) - cv::Vec3d(0.05, 0.07, 0.14)) *
                                           smoothstep(0.0, 0.7, elevation)
                                 : cv::Vec3d(0.05, 0.07, 0.14) * (1 - 0.6 * smoothstep(0.0, 0.4, -elevation));
    // A faint moon glow and a faint band of distant stars.
    const Direction glow = cv::normalize(Direction(0.45, 0.35, -0.82));
    const double angle = std::acos(std::clamp(d.dot(glow), -1.0, 1.0));
    c += cv::Vec3d(0.10, 0.11, 0.15) * std::exp(-angle * angle / 0.02) +
         cv::Vec3d(0.03, 0.035, 0.05) * std::exp(-angle * angle / 0.3);
    const Direction band_axis = cv::normalize(Direction(0.3, 0.8, 0.5));
    const double across = d.dot(band_axis);
    const double haze = value_noise3(d[0] * 6, d[1] * 6, d[2] * 6, 20101) * 0.6 +
                        value_noise3(d[0] * 17, d[1] * 17, d[2] * 17, 20102) * 0.4;
    // Band and stars sink into the haze below the horizon.
    const double visible = elevation >= 0 ? 1.0 : 1 - smoothstep(0.0, 0.15, -elevation);
    c += cv::Vec3d(0.05, 0.05, 0.07) * std::exp(-across * across / 0.02) * smoothstep(0.3, 0.8, haze) *
         visible;
    return c + stars(d) * visible;
}

}  // namespace

cv::Mat paint_night_sky_face(int face) {
    const int n = sky_face_size;
    cv::Mat picture(n, n, CV_8UC3);
    for (int r = 0; r < n; ++r)
        for (int x = 0; x < n; ++x) {
            // The loader mirrors each row and stores rows bottom-up: source pixel (x, r) lands at
            // face texel (n − 1 − x, n − 1 − r).
            const double s = 1 - (x + 0.5) / n, t = 1 - (r + 0.5) / n;
            const cv::Vec3d c = sky(cv::normalize(face_direction(face, 2 * s - 1, 2 * t - 1)));
            cv::Vec3b& p = picture.at<cv::Vec3b>(r, x);
            for (int k = 0; k < 3; ++k)
                p[k] = static_cast<unsigned char>(std::lround(std::clamp(c[k], 0.0, 1.0) * 255));
        }
    return picture;
}
