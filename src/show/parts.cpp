#include "show/parts.h"

#include "core/frame_state.h"
#include "render/graphics_context.h"

void begin_scene_frame(GraphicsContext* context, FrameState* shared, FrameState& copy) {
    context->frame_state = shared;
    copy = *shared;
}

void end_scene_frame(GraphicsContext* context, const FrameState& copy) { *context->frame_state = copy; }
