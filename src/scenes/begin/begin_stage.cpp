#include "scenes/begin/begin_stage.h"

#include <cmath>
#include <numbers>

namespace begin::stage {

// The figure is turned over (180 degrees about z) before its heading turn, which mirrors x.
float heading_toward(float dx, float dz) {
    return static_cast<float>(std::atan2(-dx, dz) * 180.0 / std::numbers::pi);
}

}  // namespace begin::stage
