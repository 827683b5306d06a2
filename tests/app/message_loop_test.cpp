#include "app/message_loop.h"

#include <gtest/gtest.h>

#include "show/app_state.h"

TEST(IdlePass, HoldingEscapeSetsTheQuitTimeOnlyOnce) {
    AppState app;
    note_quit_request(app, false, 12.0);
    EXPECT_FALSE(app.quit_requested);
    app.keys[27] = 1;
    for (int pass = 0; pass < 50; ++pass) note_quit_request(app, false, 20.0 + pass);
    EXPECT_TRUE(app.quit_requested);
    EXPECT_EQ(app.quit_time, 20.0);
}

TEST(IdlePass, EscapeWorksWhileMinimisedAndAFailedFrameActsLikeEscape) {
    AppState minimised;
    minimised.active = false;  // no frame was drawn, so none failed
    minimised.keys[27] = 1;
    note_quit_request(minimised, false, 3.0);
    EXPECT_TRUE(minimised.quit_requested);
    EXPECT_EQ(minimised.quit_time, 3.0);

    AppState failing;
    note_quit_request(failing, true, 7.5);
    EXPECT_TRUE(failing.quit_requested);
    EXPECT_EQ(failing.quit_time, 7.5);
    note_quit_request(failing, true, 9.0);
    EXPECT_EQ(failing.quit_time, 7.5);
}
