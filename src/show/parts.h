#pragma once
// A scene: one segment of the show's timeline, or the loading screen.
//
// Start-up constructs every scene on the heap, calls load once, and the frame driver then runs
// whichever scene's time window holds the show time. Scenes are never destroyed (the destructor
// is protected and not virtual: nothing may delete a scene through this base).
//
// A frame of a scene is two steps, as in a game loop:
//   advance  moves the scene's state one frame forward in time: its clock, and whatever it
//            integrates frame by frame (springs, ropes, the camera's last direction). No GL.
//   render   draws the frame the last advance left, with GL. It changes nothing that a later
//            advance or render reads, so the show can run forward without drawing (a seek) and
//            draw only the frame it wants.
// draw is the live frame: advance, then render.
//
// The FrameState discipline of a show scene's advance: copy the whole shared record, read the
// frame's values from the copy, and as the last step assign the copy back (SceneFrame in the
// scene kit does both). Whatever the scene kept in its copy (its clock in params[0]) survives the
// frame; render reads the copy.
// And in load: call context->progress with a step weight after each group of resources.
// A scene sets up the GL state it needs at the start of render; nothing resets it between frames.
class GraphicsContext;
class ShaderLibrary;
struct FrameState;

class parts {
public:
    // Loads everything the scene will draw, reporting progress through the context.
    virtual void load(GraphicsContext* context) = 0;
    // One frame forward by frame_dt seconds of show time; the shared record as described above.
    virtual void advance(double frame_dt, FrameState& frame) = 0;
    // Draws the frame the last advance left into the current framebuffer.
    virtual void render(GraphicsContext& context) = 0;
    // Puts the state back where load left it, so that the show can be replayed from its start.
    virtual void rewind() = 0;
    // The scene's shader programs, for author mode's live reload; none by default.
    virtual ShaderLibrary* shader_library() { return nullptr; }
    // The render area changed size (the application state holds the new one): what the scene
    // made at the old size is made again. GL; between an advance and its render.
    virtual void resize(GraphicsContext&) {}

    // The live frame. frame_dt points at the frame's elapsed seconds (read only; the driver owns
    // it).
    void draw(double* frame_dt, GraphicsContext* context, FrameState* frame) {
        advance(*frame_dt, *frame);
        render(*context);
    }

protected:
    ~parts() = default;
};
