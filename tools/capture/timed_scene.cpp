#include "tools/capture/timed_scene.h"

#include "platform/steady_clock.h"

void TimedScene::draw(double* frame_dt, GraphicsContext* context, FrameState* frame) {
    scene_->draw(frame_dt, context, frame);
    drew_slot_ = slot_;
}

void TimedScene::load(GraphicsContext* context) {
    const double start = steady_seconds();
    scene_->load(context);
    on_load_((steady_seconds() - start) * 1000.0);
}
