#pragma once
// The FrameState discipline of a show scene's draw, as a guard: constructing it stores the shared
// record's address in the context and copies the record into the scene's working copy; when it
// goes out of scope, as the draw's very last step, the copy replaces the shared record. So only
// what the scene kept in its copy (its clock in params[0]) survives the frame.
//
//   void part_x::draw(double* dt, GraphicsContext* context, FrameState* frame) {
//       SceneFrame guard(context, frame, frame_);
//       ...
//   }
class GraphicsContext;
struct FrameState;

class SceneFrame {
public:
    SceneFrame(GraphicsContext* context, FrameState* shared, FrameState& copy);
    ~SceneFrame();
    SceneFrame(const SceneFrame&) = delete;
    SceneFrame& operator=(const SceneFrame&) = delete;

private:
    GraphicsContext* context_;
    const FrameState& copy_;
};
