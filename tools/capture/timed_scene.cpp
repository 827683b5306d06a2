#include "tools/capture/timed_scene.h"

#include "platform/steady_clock.h"

void TimedScene::render(GraphicsContext& context) {
    scene_->render(context);
    drew_slot_ = slot_;
}

void TimedScene::load(GraphicsContext* context) {
    const double start = steady_seconds();
    scene_->load(context);
    on_load_((steady_seconds() - start) * 1000.0);
}
