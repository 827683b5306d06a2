#include "scenes/kit/scene_frame.h"

#include <gtest/gtest.h>

#include "core/frame_state.h"
#include "render/graphics_context.h"

TEST(SceneFrame, OnlyWhatTheCopyHoldsSurvivesTheDraw) {
    GraphicsContext context;
    FrameState shared;
    shared.show_time = 12.5;
    shared.params[0] = 1.0;
    FrameState copy;
    {
        SceneFrame guard(&context, &shared, copy);
        EXPECT_EQ(context.frame_state, &shared);
        EXPECT_EQ(copy.show_time, 12.5);   // the frame reads its values from the copy
        shared.params[5] = 9.0;            // a write to the shared record during the draw...
        copy.params[0] = 7.0;              // ...and one to the scene's copy
        EXPECT_EQ(shared.params[0], 1.0);  // nothing is written back before the end
    }
    EXPECT_EQ(shared.params[5], 0.0);
    EXPECT_EQ(shared.params[0], 7.0);
    EXPECT_EQ(shared.show_time, 12.5);
}

TEST(SceneFrame, WritesBackThroughTheContextsPointer) {
    // A helper may repoint the context during the draw (the loading record, say); the copy goes
    // wherever the context points at the end, as the scenes always did.
    GraphicsContext context;
    FrameState shared, other;
    FrameState copy;
    {
        SceneFrame guard(&context, &shared, copy);
        copy.cue_value = 4;
        context.frame_state = &other;
    }
    EXPECT_EQ(other.cue_value, 4);
    EXPECT_EQ(shared.cue_value, 0);
}
