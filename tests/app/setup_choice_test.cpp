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

TEST(SetupChoice, RenderScaleShrinksTheRenderAreaNotThePicture) {
    SetupOptions options;
    options.windowed = true;
    options.render_scale = 0.5;
    SetupChoice choice = run_choice({1280, 1024}, options);
    EXPECT_EQ(choice.window_height, 720);
    EXPECT_EQ(choice.picture_width, 1280);
    EXPECT_EQ(choice.picture_height, 720);
    EXPECT_EQ(choice.render_width, 640);
    EXPECT_EQ(choice.render_height, 360);
    EXPECT_FALSE(choice.render_scale_auto);
    options.render_scale = 0.35;  // 1366 x 768 at 0.35: 478.1 x 268.8, rounded
    choice = run_choice({1366, 768}, options);
    EXPECT_EQ(choice.render_width, 478);
    EXPECT_EQ(choice.render_height, 269);

    // "auto" starts at the full size; start-up picks the scale.
    options.render_scale = 0;
    choice = run_choice({1280, 720}, options);
    EXPECT_TRUE(choice.render_scale_auto);
    EXPECT_EQ(choice.render_width, 1280);
    AppState app;
    apply_choice(choice, app);
    EXPECT_TRUE(app.render_scale_auto);
    EXPECT_EQ(app.picture_width, 1280);
    EXPECT_EQ(app.picture_height, 720);
}

TEST(SetupChoice, RenderScaleOnTheCommandLineAndInTheDialog) {
    double scale = 1.0;
    EXPECT_TRUE(parse_render_scale("0.5", scale));
    EXPECT_EQ(scale, 0.5);
    EXPECT_TRUE(parse_render_scale("auto", scale));
    EXPECT_EQ(scale, 0.0);
    EXPECT_TRUE(parse_render_scale("1", scale));
    EXPECT_EQ(scale, 1.0);
    for (const char* bad : {"0", "0.05", "1.5", "-0.5", "half", "", "0.5x", "nan"}) {
        scale = 0.75;
        EXPECT_FALSE(parse_render_scale(bad, scale)) << bad;
        EXPECT_EQ(scale, 0.75) << "left as it was";
    }
    EXPECT_EQ(render_scale_label(0.75), "0.75");
    EXPECT_EQ(render_scale_label(1.0), "1");
    EXPECT_EQ(render_scale_label(0.0), "auto");
    EXPECT_EQ(SetupOptions{}.render_scale, render_scale_unchosen) << "the dialog preselects it";
}

TEST(SetupChoice, SoftwareRenderersGetAutoPreselectedAndGpusTheFullPicture) {
    for (const char* software :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Mesa DRI swrast", "Software Rasterizer",
          "LLVMPIPE", "zink (llvmpipe (LLVM 15.0.6, 256 bits))"}) {
        EXPECT_TRUE(software_renderer(software)) << software;
        EXPECT_EQ(preselected_render_scale(software), 0.0) << software;
    }
    for (const char* gpu :
         {"AMD Radeon RX 6600 (navi23, LLVM 15.0.6, DRM 3.49, 6.1.0)",
          "NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "virgl", ""}) {
        EXPECT_FALSE(software_renderer(gpu)) << gpu;
        EXPECT_EQ(preselected_render_scale(gpu), 1.0) << gpu;
    }
    // Whatever the dialog preselected becomes the choice; nothing chosen at all is the full size.
    SetupOptions options;
    options.render_scale = preselected_render_scale("llvmpipe (LLVM 15.0.6, 256 bits)");
    EXPECT_TRUE(run_choice({1280, 720}, options).render_scale_auto);
    const SetupChoice unchosen = run_choice({1280, 720}, SetupOptions{});
    EXPECT_FALSE(unchosen.render_scale_auto);
    EXPECT_EQ(unchosen.render_width, 1280);
    EXPECT_EQ(unchosen.render_height, 720);
}
