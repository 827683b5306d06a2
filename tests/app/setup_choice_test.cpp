#include "app/setup_choice.h"

#include <gtest/gtest.h>

#include "show/app_state.h"

TEST(SetupChoice, ResolutionLinesNameTheWideFormats) {
    EXPECT_EQ(resolution_line({1920, 1200}), " 1920 x 1200  (16:10)");
    EXPECT_EQ(resolution_line({1920, 1080}), " 1920 x 1080  (16:9)");
    EXPECT_EQ(resolution_line({1280, 1024}), " 1280 x 1024       ");
    EXPECT_EQ(resolution_line({1366, 768}), " 1366 x 768  (16:9)");  // 1.7786, within 0.01
    EXPECT_EQ(resolution_line({1280, 800}), " 1280 x 800  (16:10)");
    EXPECT_EQ(resolution_line({800, 600}), " 800 x 600       ");
}

TEST(SetupChoice, PreselectsTheLast1280x720ThenTheLast1024x768ThenTheFirst) {
    EXPECT_EQ(preselected_mode({{800, 600}, {1280, 720}, {1024, 768}, {1280, 720}}), 3);
    EXPECT_EQ(preselected_mode({{1024, 768}, {800, 600}, {1024, 768}, {1920, 1080}}), 2);
    EXPECT_EQ(preselected_mode({{1920, 1080}, {800, 600}}), 0);
    EXPECT_EQ(preselected_mode({}), -1);
}

TEST(SetupChoice, InitialTicks) {
    const SetupOptions options;
    EXPECT_TRUE(options.antialiased);
    EXPECT_FALSE(options.windowed);
    EXPECT_TRUE(options.force_16_9);
    EXPECT_FALSE(options.low_spec);
}

TEST(SetupChoice, Force16x9WindowedMakesTheWindowItself16x9) {
    SetupOptions options;
    options.windowed = true;
    const SetupChoice choice = run_choice({1280, 1024}, options);
    EXPECT_FALSE(choice.fullscreen);
    EXPECT_EQ(choice.window_width, 1280);
    EXPECT_EQ(choice.window_height, 720);
    EXPECT_EQ(choice.render_width, 1280);
    EXPECT_EQ(choice.render_height, 720);
}

TEST(SetupChoice, Force16x9FullScreenKeepsTheDisplayModeAndRenders16x9) {
    const SetupChoice choice = run_choice({1280, 1024}, SetupOptions{});
    EXPECT_TRUE(choice.fullscreen);
    EXPECT_EQ(choice.window_width, 1280);
    EXPECT_EQ(choice.window_height, 1024);
    EXPECT_EQ(choice.render_width, 1280);
    EXPECT_EQ(choice.render_height, 720);
    EXPECT_TRUE(choice.antialias);
    EXPECT_FALSE(choice.low_spec);
}

TEST(SetupChoice, ForcedHeightIsTruncated) {
    EXPECT_EQ(run_choice({1366, 768}, SetupOptions{}).render_height, 768);  // 768.375
    EXPECT_EQ(run_choice({1024, 768}, SetupOptions{}).render_height, 576);
    EXPECT_EQ(run_choice({1279, 1024}, SetupOptions{}).render_height, 719);  // 719.4375
    EXPECT_EQ(run_choice({801, 600}, SetupOptions{}).render_height, 450);    // 450.5625
}

TEST(SetupChoice, UnforcedKeepsTheModeAndTheOptionsPassThrough) {
    SetupOptions options;
    options.force_16_9 = false;
    options.antialiased = false;
    options.low_spec = true;
    options.windowed = true;
    const SetupChoice choice = run_choice({1024, 768}, options);
    EXPECT_FALSE(choice.fullscreen);
    EXPECT_EQ(choice.window_height, 768);
    EXPECT_EQ(choice.render_height, 768);
    EXPECT_FALSE(choice.antialias);
    EXPECT_TRUE(choice.low_spec);

    AppState app;
    apply_choice(choice, app);
    EXPECT_FALSE(app.fullscreen);
    EXPECT_EQ(app.window_width, 1024);
    EXPECT_EQ(app.window_height, 768);
    EXPECT_EQ(app.render_width, 1024);
    EXPECT_EQ(app.render_height, 768);
    EXPECT_TRUE(app.low_spec);
    EXPECT_FALSE(app.antialias);
}
