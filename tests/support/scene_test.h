#pragma once
// A show scene drawn for real on GlTest's hidden window, from the asset pack in the show
// directory: the application state and a GraphicsContext as start-up leaves them for a render
// area of kWidth x render_height, letterboxed in the kWidth x kHeight window. A scene's fixture
// derives from SceneTest and calls set_up_scene with the pack files it needs from its SetUp; the
// test is skipped when one is missing (the pack has not been generated).
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "core/frame_state.h"

#include "render/graphics_context.h"
#include "tests/support/gl_context.h"

class SceneTest : public GlTest {
protected:
    static constexpr int render_height = 144;

    // GlTest's set-up, the pack check, the show directory as the working directory, then the
    // application state and context_ for the render area. A scene that ends the process fails.
    void set_up_scene(std::initializer_list<const char*> pack_files);

    // The window's back buffer, RGB, bottom row first.
    struct Picture {
        std::vector<unsigned char> rgb;
        const unsigned char* at(int x, int y) const { return &rgb[3 * (y * kWidth + x)]; }
    };
    static Picture window_picture();

    // Mean and spread of the brightness (0..255) over the render area, the letterbox bands left
    // out: a spread of a few units tells a picture from a flat colour.
    struct Brightness {
        double mean = 0, spread = 0;
    };
    static Brightness brightness(const Picture& picture);

    // One frame as the driver hands it to a scene: its elapsed seconds and flash flag.
    struct Step {
        double dt;
        bool flash = false;
    };
    // Runs `steps` through two freshly loaded scenes of one kind: one only advanced, the other
    // advanced and rendered. Their states and the shared records they leave must be equal after
    // every step, so rendering changes nothing a later frame reads and frames can be skipped.
    template <class Scene>
    void expect_rendering_changes_no_state(std::initializer_list<Step> steps) {
        auto advanced = std::make_unique<Scene>(), drawn = std::make_unique<Scene>();
        advanced->load(&context_);
        drawn->load(&context_);
        const auto loaded = advanced->state();
        FrameState advanced_frame, drawn_frame;
        advanced_frame.mode = drawn_frame.mode = 1;
        int frame = 0;
        for (Step step : steps) {
            for (FrameState* f : {&advanced_frame, &drawn_frame}) {
                f->previous_flash = f->flash;
                f->flash = step.flash;
                f->show_time += step.dt;
            }
            advanced->advance(step.dt, advanced_frame);
            drawn->draw(&step.dt, &context_, &drawn_frame);
            ++frame;
            EXPECT_TRUE(advanced->state() == drawn->state()) << "after frame " << frame;
            EXPECT_TRUE(advanced_frame == drawn_frame) << "after frame " << frame;
        }
        EXPECT_TRUE(no_gl_error());
        EXPECT_FALSE(advanced->state() == loaded) << "the steps moved nothing";
    }

    GraphicsContext context_;
};
