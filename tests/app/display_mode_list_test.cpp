#include "app/display_mode_list.h"

#include <gtest/gtest.h>

using Modes = std::vector<DisplayMode>;

TEST(DisplayModeList, KeepsLandscapeModesUpTo2047WithinTheAspectLimit) {
    const Modes reported = {{1920, 1200}, {2560, 1600}, {1080, 1920}, {2048, 1152},
                            {1920, 1080}, {1280, 1024}, {640, 480},   {1800, 1000},
                            {1900, 1000}, {2047, 2047}, {1024, 1025}};
    // 2560 x 1600 and 2048 x 1152 are too wide, 1080 x 1920 is portrait, 1900 x 1000 is wider
    // than 1.8:1, 1024 x 1025 is (barely) portrait; 1800 x 1000 is exactly 1.8:1 and stays.
    const Modes expected = {{1920, 1200}, {1920, 1080}, {1280, 1024}, {640, 480}, {1800, 1000}, {2047, 2047}};
    EXPECT_EQ(filter_display_modes(reported), expected);
}

TEST(DisplayModeList, AModeReportedAtSeveralDepthsOrRatesIsListedOnceInFirstSeenOrder) {
    const Modes reported = {{1024, 768}, {800, 600}, {1024, 768}, {1280, 720}, {800, 600}};
    const Modes expected = {{1024, 768}, {800, 600}, {1280, 720}};
    EXPECT_EQ(filter_display_modes(reported), expected);
}

TEST(DisplayModeList, NonsenseSizesAreNotOffered) {
    EXPECT_TRUE(filter_display_modes({{0, 0}, {0, 480}, {640, 0}, {-640, -480}}).empty());
}

TEST(DisplayModeList, WithNothingOfferedTheDesktopModeStandsIn) {
    // A display with only modes the filter refuses would leave "Run ... " nothing to read.
    EXPECT_EQ(dialog_display_modes({}, {1280, 1024}), (Modes{{1280, 1024}}));
    EXPECT_EQ(dialog_display_modes({{3840, 2160}}, {3840, 2160}), (Modes{{3840, 2160}}));
    // The desktop mode is not added when the filter leaves anything.
    EXPECT_EQ(dialog_display_modes({{800, 600}}, {3840, 2160}), (Modes{{800, 600}}));
    // Without even a desktop mode the list stays empty (and the dialog selects nothing).
    EXPECT_TRUE(dialog_display_modes({}, {0, 0}).empty());
}
