#pragma once
// A roster scene wrapped so that capture sees how long its load took and which slot rendered
// last in a frame. Everything else passes straight through to the scene.
#include <functional>

#include "show/parts.h"

class TimedScene : public parts {
public:
    // on_load receives the load's milliseconds; drew_slot is set to `slot` after every render.
    TimedScene(parts* scene, int slot, std::function<void(double)> on_load, int& drew_slot)
        : scene_(scene), slot_(slot), on_load_(std::move(on_load)), drew_slot_(drew_slot) {}

    void load(GraphicsContext* context) override;
    void advance(double frame_dt, FrameState& frame) override { scene_->advance(frame_dt, frame); }
    void render(GraphicsContext& context) override;
    void rewind() override { scene_->rewind(); }
    ShaderLibrary* shader_library() override { return scene_->shader_library(); }

private:
    parts* scene_;
    int slot_;
    std::function<void(double)> on_load_;
    int& drew_slot_;
};
