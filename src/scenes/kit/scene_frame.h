#pragma once
// The FrameState discipline of a show scene's advance, as a guard: constructing it copies the
// shared record into the scene's working copy; when it goes out of scope, as the advance's very
// last step, the copy replaces the shared record. So only what the scene kept in its copy (its
// clock in params[0]) survives the frame, and render reads the copy.
//
//   void part_x::advance(double dt, FrameState& frame) {
//       SceneFrame guard(frame, state_.frame);
//       ...
//   }
#include "core/frame_state.h"

class SceneFrame {
public:
    SceneFrame(FrameState& shared, FrameState& copy) : shared_(shared), copy_(copy) { copy_ = shared_; }
    ~SceneFrame() { shared_ = copy_; }
    SceneFrame(const SceneFrame&) = delete;
    SceneFrame& operator=(const SceneFrame&) = delete;

private:
    FrameState& shared_;
    FrameState& copy_;
};
