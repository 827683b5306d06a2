#pragma once
// A show scene drawn for real on GlTest's hidden window, from the asset pack in the show
// directory: the application state and a GraphicsContext as start-up leaves them for a render
// area of kWidth x render_height, letterboxed in the kWidth x kHeight window. A scene's fixture
// derives from SceneTest and calls set_up_scene with the pack files it needs from its SetUp; the
// test is skipped when one is missing (the pack has not been generated).
#include <initializer_list>
#include <vector>

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

    GraphicsContext context_;
};
