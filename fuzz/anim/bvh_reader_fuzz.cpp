// Feeds arbitrary text to the motion-clip reader, then poses a figure-style walk over the result
// the way the skeleton figure reads it: joint frames by the root's frame count.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "anim/motion_clip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto clip =
        MotionClip::from_text(std::string_view(reinterpret_cast<const char*>(data), size), false);
    float sum = 0.0f;
    for (const Joint* joint : clip->joints) {
        for (const Matrix4& m : joint->frames) sum += m[12];
        for (const Joint* child : joint->children) sum += child->offset[0];
    }
    volatile float sink = sum;
    (void)sink;
    return 0;
}
