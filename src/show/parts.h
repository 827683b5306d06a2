#pragma once
// A scene: one segment of the show's timeline, or the loading screen.
//
// Start-up constructs every scene on the heap, calls load once, and the frame driver then calls
// draw on whichever scene's time window holds the show time. Scenes are never destroyed (the
// destructor is protected and not virtual: nothing may delete a scene through this base).
//
// Conventions every show scene follows in draw (the loading screen does not):
//   1. store the FrameState address in context->frame_state;
//   2. copy the whole FrameState and read the frame's values from the copy;
//   3. as its very last step assign the copy back through context->frame_state.
// begin_scene_frame and end_scene_frame below do steps 1-2 and 3.
// And in load: call context->progress with a step weight after each group of resources.
// A scene sets up the GL state it needs at the start of draw; nothing resets it between frames.
class GraphicsContext;
struct FrameState;

class parts {
public:
    // Renders one frame. frame_dt points at the frame's elapsed seconds (a scene may read it
    // only; the driver owns it).
    virtual void draw(double* frame_dt, GraphicsContext* context, FrameState* frame) = 0;
    // Loads everything the scene will draw, reporting progress through the context.
    virtual void load(GraphicsContext* context) = 0;

    // The scene's own clock in seconds; scenes set its start in load and advance it in draw by
    // the elapsed seconds times their own rate.
    double scene_clock = 0;

protected:
    ~parts() = default;
};

// Steps 1 and 2 of a show scene's draw: the context points at the shared record, and `copy`
// becomes the frame's working copy.
void begin_scene_frame(GraphicsContext* context, FrameState* shared, FrameState& copy);
// Step 3: the copy replaces the shared record, so only what the scene kept in its copy survives.
void end_scene_frame(GraphicsContext* context, const FrameState& copy);
