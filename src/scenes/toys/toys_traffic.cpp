#include "scenes/toys/toys_traffic.h"

#include "core/easing.h"
#include "scenes/toys/toys_stage.h"

namespace toys {

CarPlace place_car(const Wave& wave, const CarRun& car, double t) {
    const float from = -road_span - car.behind, to = road_span + car.beyond;
    const float driven = (to - from) * static_cast<float>(eased_window(t, car.start, car.rate));
    return {wave.direction * (from + driven), wave.road_z + car.lane, wave.direction > 0 ? 0.0f : 180.0f,
            driven};
}

}  // namespace toys
