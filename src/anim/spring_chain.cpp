#include "anim/spring_chain.h"

#include <algorithm>
#include <cmath>

SpringChain::SpringChain(int32_t mass_count, float stiffness, float damping, float rest_length) {
    masses.resize(static_cast<size_t>(std::max(mass_count, 2)));
    for (size_t j = 0; j + 1 < masses.size(); ++j) {
        RopeSpring s;
        s.stiffness = stiffness;
        s.damping = damping;
        s.rest_length = rest_length;
        s.first = static_cast<int32_t>(j);
        s.second = static_cast<int32_t>(j + 1);
        springs.push_back(s);
    }
}

void SpringChain::lead(int32_t index, float weight, const Vector3& position) {
    RopeMass& m =
        masses[static_cast<size_t>(std::clamp<int32_t>(index, 0, static_cast<int32_t>(masses.size()) - 1))];
    m.position = position;
    m.weight = weight;
    m.velocity = m.previous_acceleration = m.previous_velocity = Vector3{0.0f, 0.0f, 0.0f};
}

void SpringChain::set_gravity(const Vector3& gravity) {
    for (RopeSpring& s : springs) s.gravity = gravity;
}

int32_t SpringChain::substeps_for(double delta) {
    const double h = max_step > 0.002 ? max_step : 0.002;
    const double steps = std::min(std::trunc(delta / h + 1.0), static_cast<double>(max_substeps));
    // NaN fails the comparison and takes no step.
    return steps > 0.0 ? static_cast<int32_t>(steps) : 0;
}

void SpringChain::simulate(double delta) {
    const float h = static_cast<float>(max_step > 0.002 ? max_step : 0.002);
    const int32_t steps = substeps_for(delta);
    for (int32_t n = 0; n < steps; ++n)
        for (const RopeSpring& s : springs) spring_step(s, h);
}

namespace {

void adams_bashforth(RopeMass& m, const Vector3& a, float h, float keep) {
    m.velocity = m.velocity + (a * 3.0f - m.previous_acceleration) * (0.5f * h);
    m.previous_acceleration = a;
    m.velocity = m.velocity * keep;
    m.position = m.position + (m.velocity * 3.0f - m.previous_velocity) * (0.5f * h);
    m.previous_velocity = m.velocity;
}

// Divides by the weight, floored at 0.001 so a weightless mass cannot blow up the step.
Vector3 per_weight(const Vector3& force, float w) {
    const float guarded = w > 0.001f ? w : 0.001f;
    return {force.state, force.x / guarded, force.y / guarded, force.z / guarded};
}

}  // namespace

void SpringChain::spring_step(const RopeSpring& spring, float h) {
    RopeMass& a = masses[static_cast<size_t>(spring.first)];
    RopeMass& b = masses[static_cast<size_t>(spring.second)];
    const Vector3 d = b.position - a.position;
    const Vector3 w = b.velocity - a.velocity;
    // D is deliberately not normalised: the pull grows with the stretch times the distance.
    const float f = spring.stiffness * (length(d) - spring.rest_length) - spring.damping * length(w);
    const Vector3 g = spring.gravity * b.weight;
    const Vector3 pull = d * f;
    const Vector3 accel_a = per_weight(g + pull, a.weight);
    const Vector3 accel_b = per_weight(g - pull, b.weight);
    adams_bashforth(a, accel_a, h, spring.keep);
    adams_bashforth(b, accel_b, h, spring.keep);
}

void SpringChain::rebuild_spline(Spline& spline) const {
    spline.clear();
    spline.channels = 1;
    spline.append(masses.front().position);
    for (const RopeMass& m : masses) spline.append(m.position);
    spline.count = static_cast<int32_t>(spline.points.size());
}
