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

TEST(IdlePass, MinimisedWindowDrawsNothingButStillPresentsAndHearsEscape) {
    AppState app;
    double show_time = 40.0;
    int drawn = 0, presented = 0;
    const auto draw = [&] {
        ++drawn;
        show_time += 0.02;  // the frame driver moves the clock
        return true;
    };
    const auto present = [&] { ++presented; };

    idle_pass(app, draw, show_time, present);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(presented, 1);

    app.active = false;
    idle_pass(app, draw, show_time, present);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(presented, 2);
    app.keys[27] = 1;
    idle_pass(app, draw, show_time, present);
    EXPECT_TRUE(app.quit_requested);
    EXPECT_DOUBLE_EQ(app.quit_time, 40.02);

    app.active = true;
    app.keys[27] = 0;
    AppState fresh;
    idle_pass(
        fresh, [&] { return false; }, show_time, present);
    EXPECT_TRUE(fresh.quit_requested) << "a failed frame starts the quit sequence";
}

TEST(IdlePass, QuitTimeIsTheShowTimeTheFrameLeft) {
    AppState app;
    app.keys[27] = 1;
    double show_time = 10.0;
    idle_pass(
        app,
        [&] {
            show_time = 10.5;
            return true;
        },
        show_time, [] {});
    EXPECT_DOUBLE_EQ(app.quit_time, 10.5);
}

TEST(IdlePass, AnEscapeTapBetweenTwoPassesStillStartsTheQuit) {
    // A frame of a second (software GL) sees the key go down and up before the next idle pass.
    AppState app;
    app.escape_pressed = true;
    app.keys[27] = 0;
    note_quit_request(app, false, 5.0);
    EXPECT_TRUE(app.quit_requested);
    EXPECT_EQ(app.quit_time, 5.0);
    EXPECT_FALSE(app.escape_pressed) << "each pass consumes the tap";

    AppState later;
    later.escape_pressed = true;
    note_quit_request(later, false, 1.0);
    note_quit_request(later, false, 2.0);
    EXPECT_EQ(later.quit_time, 1.0);
}
