#include "render/objloader.h"

#include <algorithm>
#include <limits>

objloader::objloader(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    directory = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    file_name = slash == std::string::npos ? path : path.substr(slash + 1);
    read_file();
    scale = 1.0f;
    compute_bounds();
}

void objloader::compute_bounds() {
    float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
    if (vertices.size() >= 3) {
        for (int axis = 0; axis < 3; ++axis) {
            min[axis] = std::numeric_limits<float>::max();
            max[axis] = std::numeric_limits<float>::lowest();
        }
        for (std::size_t i = 0; i + 2 < vertices.size(); i += 3)
            for (int axis = 0; axis < 3; ++axis) {
                min[axis] = std::min(min[axis], vertices[i + axis]);
                max[axis] = std::max(max[axis], vertices[i + axis]);
            }
    }
    set_bounds(min, max);
}
