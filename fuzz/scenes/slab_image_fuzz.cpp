// A PNG cut-out or sequence frame of the middle scene, read by the scene's own slab loader from a
// file of arbitrary bytes: OpenCV's greyscale read, the slab, and for a sequence frame the marker
// and the slab of its edge image. An input of even length is loaded as a sequence frame, one of
// odd length as a cut-out (their densities differ). Whatever the bytes: no crash, and the slabs
// keep to the extruder's grid.
// Run: slab_image_fuzz fuzz/scenes/slab_corpus
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/support/extrusion_checks.h"
#include "fuzz/support/memory_file.h"
#include "scenes/middle/slab_loading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFile file("slab.png");
    // One extruder for every input, as each loading worker keeps one for all its slabs.
    static ContourExtruder extruder;
    middle::SlabJob job;
    job.file = file.hold(data, size);
    job.sequence_frame = size % 2 == 0;
    job.fine_density = job.sequence_frame ? middle::sequence_density : middle::cutout_density;
    const middle::SlabResult result = middle::build_slab(extruder, job);
    check_extrusion(result.slab);
    check_extrusion(result.edges);
    if (!std::isfinite(result.marker.x) || !std::isfinite(result.marker.y)) std::abort();
    return 0;
}
