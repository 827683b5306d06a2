#include "scenes/kit/scene_frame.h"

#include "show/parts.h"

SceneFrame::SceneFrame(GraphicsContext* context, FrameState* shared, FrameState& copy)
    : context_(context), copy_(copy) {
    begin_scene_frame(context, shared, copy);
}

SceneFrame::~SceneFrame() { end_scene_frame(context_, copy_); }
