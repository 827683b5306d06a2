// brinefall started where there is no display to open a window on: it says so and fails.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/program_run.h"

namespace {

TEST(NoDisplay, TheShowNamesTheCauseAndExitsWithAFailure) {
    // No X or Wayland display, and no Wayland socket for SDL to guess at.
    const ProgramRun run = run_program(
        "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR=/nonexistent timeout 60 " +
        std::string(BRINEFALL_PROGRAM));
    EXPECT_EQ(run.exit_code, 1) << run.err;
    EXPECT_NE(run.err.find("ERROR: Failed To Register The Window Class.\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("brinefall: no display found"), std::string::npos) << run.err;
}

}  // namespace
