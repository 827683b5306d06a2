// The show's own handling of SIGINT and SIGTERM, with real signals raised in this process and the
// message loop's rules for an idle pass: the first signal ends the show as Escape does, a second
// one ends the process at once.
#include <gtest/gtest.h>

#include <csignal>

#include "app/message_loop.h"
#include "show/app_state.h"

namespace {

TEST(StopSignal, TheFirstSignalStartsTheQuitAsEscapeDoes) {
    catch_stop_signals();
    AppState app;
    EXPECT_FALSE(note_stop_signal(app));
    note_quit_request(app, false, 5.0);
    EXPECT_FALSE(app.quit_requested) << "no signal yet";

    ASSERT_EQ(std::raise(SIGTERM), 0);  // caught: the process goes on
    EXPECT_FALSE(note_stop_signal(app)) << "the loop goes on to draw the quit sequence";
    note_quit_request(app, false, 12.5);
    EXPECT_TRUE(app.quit_requested);
    EXPECT_EQ(app.quit_time, 12.5);

    // Minimised, no frame would draw the quit sequence to its end: the loop is left at once.
    AppState minimised;
    minimised.active = false;
    EXPECT_TRUE(note_stop_signal(minimised));
}

TEST(StopSignalDeathTest, ASecondSignalEndsTheProcessAtOnceSayingWhich) {
    EXPECT_EXIT(
        {
            catch_stop_signals();
            std::raise(SIGINT);
            std::raise(SIGINT);
        },
        ::testing::ExitedWithCode(130), "brinefall: interrupted again; stopped at once");
    EXPECT_EXIT(
        {
            catch_stop_signals();
            std::raise(SIGTERM);
            std::raise(SIGTERM);
        },
        ::testing::ExitedWithCode(143), "interrupted again");
}

}  // namespace
