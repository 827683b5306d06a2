#include "scenes/opening/opening_stage.h"

#include <cmath>
#include <numbers>

namespace opening {

// The figure is turned over (180 degrees about z) before its heading turn, which mirrors x.
float heading_toward(float dx, float dz) {
    return static_cast<float>(std::atan2(-dx, dz) * 180.0 / std::numbers::pi);
}

}  // namespace opening
