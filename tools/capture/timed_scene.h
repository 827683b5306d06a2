#pragma once
// A roster scene wrapped so that capture sees how long its load took and which slot drew last
// in a frame. Everything else passes straight through to the scene.
#include <functional>

#include "show/parts.h"

class TimedScene : public parts {
public:
    // on_load receives the load's milliseconds; drew_slot is set to `slot` after every draw.
    TimedScene(parts* scene, int slot, std::function<void(double)> on_load, int& drew_slot)
        : scene_(scene), slot_(slot), on_load_(std::move(on_load)), drew_slot_(drew_slot) {}

    void draw(double* frame_dt, GraphicsContext* context, FrameState* frame) override;
    void load(GraphicsContext* context) override;

private:
    parts* scene_;
    int slot_;
    std::function<void(double)> on_load_;
    int& drew_slot_;
};
