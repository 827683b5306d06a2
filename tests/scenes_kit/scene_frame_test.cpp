#include "scenes/kit/scene_frame.h"

#include <gtest/gtest.h>

#include "core/frame_state.h"

TEST(SceneFrame, OnlyWhatTheCopyHoldsSurvivesTheAdvance) {
    FrameState shared;
    shared.show_time = 12.5;
    shared.params[0] = 1.0;
    FrameState copy;
    {
        SceneFrame guard(shared, copy);
        EXPECT_EQ(copy.show_time, 12.5);  // the frame reads its values from the copy
        shared.params[5] = 9.0;           // a write to the shared record during the advance...
        copy.params[0] = 7.0;             // ...and one to the scene's copy
        copy.picked_points.push_back(Vector3(1, 2, 3));
        EXPECT_EQ(shared.params[0], 1.0);  // nothing is written back before the end
    }
    EXPECT_EQ(shared.params[5], 0.0);
    EXPECT_EQ(shared.params[0], 7.0);
    EXPECT_EQ(shared.show_time, 12.5);
    ASSERT_EQ(shared.picked_points.size(), 1u);
    EXPECT_EQ(shared.picked_points[0], Vector3(1, 2, 3));
}
