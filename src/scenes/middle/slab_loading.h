#pragma once
// The slabs the middle scene extrudes at load: the 257 frames of the running-figure sequence
// (each once as it is and once as its edge image) and the 16 paper cut-outs.
//
// Extruding is mostly CPU work (contours, respacing, tessellation) and only the display lists
// need the GL context, so the loader runs the CPU half of every slab on worker threads, one per
// core, while the calling thread takes the results in load order, compiles them and reports
// progress: the loading screen keeps moving, and the lists come out exactly as a serial load
// makes them.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include <opencv2/core.hpp>

#include "anim/contour_extruder.h"
#include "core/vector3.h"

namespace middle {

inline constexpr double coarse_density = 30.0;
inline constexpr double sequence_density = 100.0;
inline constexpr double cutout_density = 180.0;
// Respaced outlines carry a point every fraction of a pixel; thinned to within this (an eighth of
// a cut-out's source pixel, a thirtieth of a sequence frame's, a twentieth of a screen pixel
// where the sea is largest at 640x360), the sea's slab keeps a seventh of its triangles and
// looks the same.
inline constexpr double outline_tolerance = 0.0005;
inline constexpr unsigned sequence_list_base = 3000;
inline constexpr unsigned edge_list_offset = 10000;  // the edge slab of frame k: 13000 + 10k
inline constexpr unsigned lists_per_slab = 10;
// The slab of sequence frame k and the slab of its edge image.
constexpr unsigned sequence_list(int k) { return sequence_list_base + lists_per_slab * k; }
constexpr unsigned edge_list(int k) { return sequence_list(k) + edge_list_offset; }

// The cut-outs' lists, named after what the scene makes of them, each with its file.
inline constexpr unsigned wave_list = 100;                      // w1: a row of sea
inline constexpr unsigned curling_wave_list = 200;              // w2
inline constexpr unsigned sun_list = 300;                       // Tsun
inline constexpr unsigned cloud_list = 400;                     // Tcloud
inline constexpr unsigned moon_list = 600;                      // Tmoon
inline constexpr unsigned skyline_lists[2] = {1100, 1200};      // cc1a, cc1b
inline constexpr unsigned curly_cloud_lists[2] = {1300, 1400};  // cc2a, cc2b
// fish2a1, fish2a3, fish2a5, fish2a6, fish3a1, fish3a2: the shoal.
inline constexpr unsigned fish_lists[6] = {2000, 2100, 2300, 2400, 2500, 2600};
inline constexpr unsigned unshown_fish_list = 2200;  // fish2a2: extruded with the rest, never drawn

struct SlabJob {
    std::string file;
    unsigned list = 0;  // L: the slab; L + 1 its cap
    double fine_density = 0.0;
    bool sequence_frame = false;   // also finds the marker and extrudes the edge image
    double progress_before = 0.0;  // loading-screen weight reported before the slab
    double progress_after = 0.0;   // and after it
};

// "textures//videos1//t0000.png" ... "textures//videos1//t0256.png".
std::string sequence_file_name(int k);
// The sequence frames, then the cut-outs, in load order with their progress weights.
std::vector<SlabJob> slab_jobs();

// Where the figure of a sequence frame stands: the last pixel of value 101 or more in raster
// order (rows from the top, each from the left), at (column − 66, row − 16, 0); (0, 0, 0) when
// there is none.
Vector3 find_marker(const cv::Mat& image);
// The Canny edges of a frame (thresholds 50 and 100, aperture 3).
cv::Mat edge_image(const cv::Mat& image);

struct SlabResult {
    Vector3 marker{0.0f, 0.0f, 0.0f};
    ExtrusionGeometry slab;
    ExtrusionGeometry edges;  // sequence frames only
};

// The CPU half of one slab (no GL needed).
SlabResult build_slab(ContourExtruder& extruder, const SlabJob& job);

// One worker per core, at least one.
unsigned extrusion_threads();

// Builds every job's slab and hands it to `consume` on the calling thread, in job order;
// `before` runs on the calling thread ahead of each job's hand-over. With workers = 0 the slabs
// are built on the calling thread one after another; otherwise `workers` threads build them
// while the calling thread consumes. The results are the same either way.
void build_slabs(std::span<const SlabJob> jobs, unsigned workers,
                 const std::function<void(std::size_t)>& before,
                 const std::function<void(std::size_t, SlabResult&)>& consume);

}  // namespace middle
