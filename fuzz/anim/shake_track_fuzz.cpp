// Feeds arbitrary bytes to the camera-shake track reader and reads samples back the way a scene
// does, at times and offsets taken from the input itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "anim/camera_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CameraPath path;
    path.load_bytes(std::string(reinterpret_cast<const char*>(data), size));
    double t = 0.0, offset = 0.0;
    if (size >= 16) {
        std::memcpy(&t, data, 8);
        std::memcpy(&offset, data + 8, 8);
    }
    for (double scale : {1.0, -1.0, 1e-3, 1e12}) {
        const uint32_t i = path.sample_index(t * scale, offset);
        if (!path.positions.empty()) {
            volatile float x = path.positions.at(i).x;
            (void)x;
        }
    }
    return 0;
}
