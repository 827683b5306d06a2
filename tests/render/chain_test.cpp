// The post-processing helpers and the chain: a small lit scene (boxes, read as an OBJ mesh, and a
// sphere on a plane, with a bright light) rendered through scene passes, occlusion combine, highlight blur, light
// shafts and window compose. Besides the assertions, the composed picture is written to
// "render_test_scene.png" in the working directory for a person to look at.
#include <GL/glew.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include "render/graphics_context.h"
#include "render/mesh.h"
#include "render/post_processing.h"
#include "render/shader_library.h"
#include "tests/support/gl_context.h"

namespace {

const std::string kPost = std::string(BRINEFALL_SHOW_DIR) + "/Other//PostProcessing//";

// Program slots of the test scene (the opening scene's numbers).
enum Slot {
    kScene = 1,
    kCombine = 63,
    kCompose = 4,
    kComposeLow = 64,
    kHighlights = 6,
    kShafts = 7,
    kAddQuarter = 90
};

const char* scene_vertex = R"(#version 120
varying vec3 normal;
varying vec3 position;
void main() {
    gl_Position = ftransform();
    normal = gl_NormalMatrix * gl_Normal;
    position = vec3(gl_ModelViewMatrix * gl_Vertex);
    gl_FrontColor = gl_Color;
}
)";
const char* scene_fragment = R"(#version 120
uniform vec3 LightPosition;
uniform float Glow;
varying vec3 normal;
varying vec3 position;
void main() {
    vec3 n = normalize(normal);
    float diffuse = max(dot(n, normalize(LightPosition - position)), 0.0);
    vec3 c = mix(gl_Color.rgb * (0.35 + 0.75 * diffuse), vec3(1.0), Glow);
    gl_FragData[0] = vec4(c, 1.0);
    gl_FragData[1] = vec4(vec3(Glow), 1.0);
}
)";
const char* add_quarter_source = R"(#version 120
uniform sampler2D texture2d_1;
void main() { gl_FragColor = texture2D(texture2d_1, gl_TexCoord[0].st) + vec4(0.25); }
)";

std::string write_shader(const std::string& name, const char* text) {
    const std::string base = testing::TempDir() + name;
    std::FILE* f = std::fopen((base + ShaderLibrary::source_extension).c_str(), "wb");
    std::fputs(text, f);
    std::fclose(f);
    return base;
}

// An RGB(A) image of a texture slot, rows bottom-up.
struct Picture {
    int width = 0, height = 0, channels = 4;
    std::vector<uint8_t> bytes;
    const uint8_t* at(int x, int y) const { return &bytes[(std::size_t(y) * width + x) * channels]; }
    float luma(int x, int y) const {
        const uint8_t* p = at(x, y);
        return (0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2]) / 255.0f;
    }
    // Mean luma over a (2r+1)² window.
    float mean(int x, int y, int r) const {
        float sum = 0;
        int n = 0;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx)
                if (x + dx >= 0 && x + dx < width && y + dy >= 0 && y + dy < height) {
                    sum += luma(x + dx, y + dy);
                    ++n;
                }
        return sum / n;
    }
};

Picture read_slot(GraphicsContext& context, int slot) {
    Picture p;
    glActiveTexture(GL_TEXTURE0);
    context.bind_texture_slot(slot);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &p.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &p.height);
    p.bytes.resize(std::size_t(p.width) * p.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, p.bytes.data());
    return p;
}

Picture read_window(int width, int height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.bytes.resize(std::size_t(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, p.bytes.data());
    return p;
}

void save_png(const Picture& p, const std::string& path) {
    cv::Mat rgba(p.height, p.width, CV_8UC4, const_cast<uint8_t*>(p.bytes.data()));
    cv::Mat bgr, flipped;
    cv::cvtColor(rgba, bgr, cv::COLOR_RGBA2BGR);
    cv::flip(bgr, flipped, 0);
    cv::imwrite(path, flipped);
}

// An axis-aligned box standing on y = 0 as one OBJ object, flat-shaded (one normal per side).
std::string box_obj(const std::string& name, float cx, float cz, float half, float height, int& base) {
    const float x[2] = {cx - half, cx + half}, z[2] = {cz - half, cz + half}, y[2] = {0, height};
    std::string text = "o " + name + "\n";
    for (int i = 0; i < 8; ++i)
        text += "v " + std::to_string(x[i & 1]) + " " + std::to_string(y[(i >> 1) & 1]) + " " +
                std::to_string(z[i >> 2]) + "\n";
    // Corner i has x bit 0, y bit 1, z bit 2; each side lists its corners counter-clockwise from
    // outside, with the normals +z, -z, +x, -x, +y (normals 1..5 of the file).
    const int sides[5][4] = {{4, 5, 7, 6}, {1, 0, 2, 3}, {5, 1, 3, 7}, {0, 4, 6, 2}, {6, 7, 3, 2}};
    for (int side = 0; side < 5; ++side) {
        text += "f";
        for (int corner : sides[side])
            text += " " + std::to_string(base + corner + 1) + "//" + std::to_string(side + 1);
        text += "\n";
    }
    base += 8;
    return text;
}

class ChainTest : public GlTest {
protected:
    // The render area is 4:3, letterboxed in the square window.
    static constexpr int kWindowWidth = kWidth, kWindowHeight = kHeight;
    static constexpr int kRenderWidth = kWidth, kRenderHeight = 192;

    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped()) return;
        sizes.render_width = kRenderWidth;
        sizes.render_height = kRenderHeight;
        sizes.window_width = kWindowWidth;
        sizes.window_height = kWindowHeight;
        testing::internal::CaptureStdout();
        context.start_up(nullptr, kRenderWidth, kRenderHeight, false);
        shaders.load_program(write_shader("v_scene", scene_vertex), write_shader("f_scene", scene_fragment),
                             kScene);
        shaders.load_fragment_program(kPost + "f_combineSSAO2", kCombine);
        shaders.load_fragment_program(kPost + "f_blurpass2", kCompose);
        shaders.load_fragment_program(kPost + "f_blurpasslow", kComposeLow);
        shaders.load_fragment_program(kPost + "f_blurhighlights", kHighlights);
        shaders.load_fragment_program(kPost + "f_godrays", kShafts);
        shaders.load_fragment_program(write_shader("f_add_quarter", add_quarter_source), kAddQuarter);
        shaders.disable_programs();
        testing::internal::GetCapturedStdout();
        create_chain_textures(context, textures, sizes);
        attach_chain_textures(context, textures);
        camera.eye = Vector3(0.0f, 3.2f, 7.5f);
        camera.centre = Vector3(0.0f, 0.6f, 0.0f);
        camera.up = Vector3(0.0f, 1.0f, 0.0f);
        camera.fov = 50.0;
        camera.aspect = double(kRenderWidth) / kRenderHeight;
        camera.near_distance = 0.1;
        camera.far_distance = 100.0;
        context.view_camera = context.light_camera = camera;

        // The boxes go through the show's mesh reader and are drawn by object number.
        int base = 0;
        std::string obj = "vn 0 0 1\nvn 0 0 -1\nvn 1 0 0\nvn -1 0 0\nvn 0 1 0\n";
        obj += box_obj("red", -1.6f, 0.4f, 0.6f, 1.2f, base);
        obj += box_obj("low", 0.9f, 1.2f, 0.45f, 0.9f, base);
        obj += box_obj("tall", 1.6f, -1.0f, 0.5f, 2.3f, base);  // cuts into the light behind it
        boxes.alternate_file = false;
        boxes.read(obj, false);
        boxes.loaded = true;
    }

    void set_camera() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(camera.fov, camera.aspect, camera.near_distance, camera.far_distance);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(camera.eye.x, camera.eye.y, camera.eye.z, camera.centre.x, camera.centre.y, camera.centre.z,
                  camera.up.x, camera.up.y, camera.up.z);
    }

    // Window coordinates (render area) of a world point.
    void project(double x, double y, double z, int& px, int& py) {
        set_camera();
        GLdouble model[16], proj[16], wx, wy, wz;
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        const GLint viewport[4] = {0, 0, kRenderWidth, kRenderHeight};
        gluProject(x, y, z, model, proj, viewport, &wx, &wy, &wz);
        px = static_cast<int>(wx);
        py = static_cast<int>(wy);
    }

    void scene_pass(bool depth_mode) {
        glViewport(0, 0, kRenderWidth, kRenderHeight);
        if (depth_mode) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glClearColor(0.04f, 0.06f, 0.09f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        set_camera();
        context.reset_fixed_function_state();
        shaders.use_program(kScene);
        // The light in eye space: the look-at matrix applied to its world position.
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        const float lx = 1.2f, ly = 2.1f, lz = -5.5f;
        shaders.set_vec3(kScene, "LightPosition", m[0] * lx + m[4] * ly + m[8] * lz + m[12],
                         m[1] * lx + m[5] * ly + m[9] * lz + m[13],
                         m[2] * lx + m[6] * ly + m[10] * lz + m[14]);
        shaders.set_float(kScene, "Glow", 0.0f);
        glColor3f(0.62f, 0.6f, 0.56f);
        glBegin(GL_QUADS);
        glNormal3f(0, 1, 0);
        glVertex3f(-20, 0, 20);
        glVertex3f(20, 0, 20);
        glVertex3f(20, 0, -20);
        glVertex3f(-20, 0, -20);
        glEnd();
        glColor3f(0.75f, 0.35f, 0.25f);
        boxes.draw(0);
        glColor3f(0.3f, 0.5f, 0.75f);
        boxes.draw(1);
        boxes.draw(2);
        GLUquadric* quadric = gluNewQuadric();
        gluQuadricNormals(quadric, GLU_SMOOTH);
        glColor3f(0.85f, 0.85f, 0.8f);
        glPushMatrix();
        glTranslatef(-0.2f, 0.7f, 1.4f);
        gluSphere(quadric, 0.7, 40, 24);
        glPopMatrix();
        shaders.set_float(kScene, "Glow", 1.0f);
        glPushMatrix();
        glTranslatef(lx, ly, lz);
        gluSphere(quadric, 1.1, 32, 20);
        glPopMatrix();
        gluDeleteQuadric(quadric);
        shaders.disable_programs();
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }

    // Scene passes and the occlusion combine; returns the scene colour before the combine.
    Picture render_and_combine() {
        render_scene_passes(context, textures, sizes, true, [&](bool depth) { scene_pass(depth); });
        Picture before = read_slot(context, textures.colour);
        run_occlusion_combine(context, shaders, kCombine, textures, sizes, 12.5, camera, OcclusionSamples::filtered);
        return before;
    }

    Picture compose(int program, const ComposeUniforms& uniforms) {
        compose_to_window(context, shaders, program, textures, sizes, uniforms);
        return read_window(kWindowWidth, kWindowHeight);
    }

    GraphicsContext context;
    ShaderLibrary shaders;
    ChainTextures textures;
    ChainSizes sizes;
    CameraRecord camera;
    Mesh boxes;
};

}  // namespace

TEST_F(ChainTest, ScreenQuadCoversTheViewportAndMirrors) {
    const uint8_t texels[6] = {255, 0, 0, 0, 0, 255};  // left red, right blue
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    context.bind_window_framebuffer();
    glViewport(0, 0, kWindowWidth, kWindowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    for (double x_scale : {1.0, -1.0}) {
        glPushMatrix();
        draw_screen_quad(0.0, x_scale, 1.0, true, 1.0f);
        glPopMatrix();
        const Picture p = read_window(kWindowWidth, kWindowHeight);
        const uint8_t* left = p.at(2, 2);
        const uint8_t* right = p.at(kWindowWidth - 3, kWindowHeight - 3);
        EXPECT_EQ(left[0], x_scale > 0 ? 255 : 0) << x_scale;
        EXPECT_EQ(left[2], x_scale > 0 ? 0 : 255) << x_scale;
        EXPECT_EQ(right[2], x_scale > 0 ? 255 : 0) << x_scale;
    }
    glDisable(GL_TEXTURE_2D);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ChainTest, BillboardAndCameraBlend) {
    Vector3 right(1.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    glBegin(GL_QUADS);
    draw_billboard(2.0, 3.0, Vector3(1.0f, 1.0f, 1.0f), right, up);
    glEnd();
    EXPECT_EQ(right, Vector3(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(up, Vector3(0.0f, 3.0f, 0.0f));

    CameraRecord a, b, target;
    a.eye = Vector3(0.0f, 0.0f, 0.0f);
    b.eye = Vector3(10.0f, -4.0f, 2.0f);
    a.centre = Vector3(1.0f, 1.0f, 1.0f);  // b.centre undefined: the difference is zero
    a.up = b.up = Vector3(0.0f, 1.0f, 0.0f);
    target.fov = 33.0;
    blend_camera(target, 0.25, a, b);
    EXPECT_EQ(target.eye, Vector3(2.5f, -1.0f, 0.5f));
    EXPECT_EQ(target.centre, Vector3(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(target.up, Vector3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(target.fov, 33.0);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ChainTest, FilterPassesReadTheSourceOnlyInTheFirstPass) {
    context.create_render_texture(300, 8, 8, false);  // black source
    context.create_random_texture(301, 8, 8);
    context.create_render_texture(302, 8, 8, false);
    GLuint sentinel = 0;
    glGenTextures(1, &sentinel);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, sentinel);
    glActiveTexture(GL_TEXTURE0);
    context.create_render_target(2, 8, 8, 0);
    run_filter_passes(context, shaders, kAddQuarter, 2, 3, 8, 8, 300, 301);
    const Picture p = read_slot(context, 301);
    EXPECT_NEAR(p.at(3, 3)[0], 191, 2);  // 3 × 0.25 (reading the source each time would give 64)
    EXPECT_NEAR(read_slot(context, 300).at(3, 3)[0], 0, 0);
    GLint bound = 0;
    glActiveTexture(GL_TEXTURE1);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(bound), sentinel);  // no second input: unit 1 untouched

    run_filter_passes(context, shaders, kAddQuarter, 2, 1, 8, 8, 302, 301, 300, 302);
    glActiveTexture(GL_TEXTURE1);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(bound), context.texture_name(300));
    EXPECT_NEAR(read_slot(context, 301).at(3, 3)[0], 64, 2);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(ChainTest, SceneThroughTheWholeChain) {
    const Picture before = render_and_combine();
    const Picture combined = read_slot(context, textures.colour);

    // Occlusion darkens the contact crease in front of the red box, not the open floor.
    int cx, cy, ox, oy;
    project(-1.6, 0.0, 1.06, cx, cy);
    project(-3.2, 0.0, 2.6, ox, oy);
    const float crease = combined.mean(cx, cy - 1, 1) / before.mean(cx, cy - 1, 1);
    const float open = combined.mean(ox, oy, 2) / before.mean(ox, oy, 2);
    EXPECT_LT(crease, 0.85f) << "crease at " << cx << "," << cy;
    EXPECT_GT(open, 0.93f) << "open floor at " << ox << "," << oy;
    EXPECT_GT(open - crease, 0.1f);

    // Highlights: the glowing light blooms beyond its own outline; the floor stays dark.
    run_filter_passes(context, shaders, kHighlights, 1, 1, sizes.quarter_width(), sizes.quarter_height(),
                      textures.colour, textures.highlights);
    const Picture highlights = read_slot(context, textures.highlights);
    save_png(highlights, "render_test_highlights.png");
    int lx, ly;
    project(1.2, 2.1, -5.5, lx, ly);
    const int qlx = lx / 4, qly = ly / 4;
    EXPECT_GT(highlights.luma(qlx, qly), 0.6f);
    EXPECT_GT(highlights.luma(qlx + 4, qly), 0.05f) << qlx << "," << qly;  // twice the light's radius
    EXPECT_LT(highlights.luma(ox / 4, oy / 4), 0.02f);

    // Shafts: most pixels around the light gain light streaming out of it (those in the wedge
    // the tall box cuts out of the light gain less).
    run_filter_passes(context, shaders, kShafts, 1, 1, sizes.quarter_width(), sizes.quarter_height(),
                      textures.highlights, textures.highlights);
    const Picture shafts = read_slot(context, textures.highlights);
    save_png(shafts, "render_test_shafts.png");
    int gained = 0, checked = 0;
    for (int dy = -20; dy <= 20; dy += 4)
        for (int dx = -30; dx <= 30; dx += 6) {
            const int x = qlx + dx, y = qly + dy;
            if (std::abs(dx) + std::abs(dy) < 12 || x < 0 || y < 0 || x >= shafts.width || y >= shafts.height)
                continue;
            ++checked;
            if (shafts.luma(x, y) > highlights.luma(x, y) + 0.01f) ++gained;
        }
    EXPECT_GT(gained, checked / 2) << gained << " of " << checked;

    // The window compose: letterbox bands black, a varied picture, and the fade as defined.
    ComposeUniforms u;
    u.mode = 1;
    u.ttime = 12.5f;
    u.flo = 0.5f;
    u.pos_y = 1.0f;
    u.fade = 0.0f;
    const Picture picture = compose(kCompose, u);
    save_png(picture, "render_test_scene.png");
    const int band = (kWindowHeight - kRenderHeight) / 2;
    EXPECT_EQ(picture.luma(10, 3), 0.0f);
    EXPECT_EQ(picture.luma(kWindowWidth - 10, kWindowHeight - 3), 0.0f);
    double sum = 0, sum2 = 0;
    int n = 0;
    for (int y = band; y < kWindowHeight - band; y += 2)
        for (int x = 0; x < kWindowWidth; x += 2) {
            const double l = picture.luma(x, y);
            sum += l;
            sum2 += l * l;
            ++n;
        }
    const double mean = sum / n, deviation = std::sqrt(sum2 / n - mean * mean);
    EXPECT_GT(mean, 0.1);
    EXPECT_GT(deviation, 0.08);
    // The picture, letterboxed: the light sits at its render position shifted by the band.
    EXPECT_GT(picture.luma(lx, ly + band), 0.8f);

    u.fade = 1.0f;
    const Picture black = compose(kCompose, u);
    for (int y = band; y < kWindowHeight - band; y += 7)
        for (int x = 0; x < kWindowWidth; x += 7) ASSERT_EQ(black.luma(x, y), 0.0f) << x << "," << y;

    u.mode = 2;
    // The context keeps how much of its picture each compose's fade left showing.
    float shown[4];
    u.fade = 0.5f;
    const Picture as_is = compose(kCompose, u);
    shown[0] = context.composed_picture_shown;
    u.fade = 0.25f;
    const Picture darker = compose(kCompose, u);
    shown[1] = context.composed_picture_shown;
    u.fade = 1.0f;
    const Picture white = compose(kCompose, u);
    shown[2] = context.composed_picture_shown;
    u.fade = 0.0f;
    const Picture dark = compose(kCompose, u);
    shown[3] = context.composed_picture_shown;
    const int px = ox, py = oy + band;
    EXPECT_NEAR(darker.luma(px, py), as_is.luma(px, py) / 2, 0.02f);
    EXPECT_EQ(white.luma(px, py), 1.0f);
    EXPECT_EQ(dark.luma(px, py), 0.0f);
    EXPECT_GT(as_is.luma(px, py), 0.1f);
    EXPECT_EQ(shown[0], 1.0f);
    EXPECT_NEAR(shown[1], darker.luma(px, py) / as_is.luma(px, py), 0.05f);
    EXPECT_EQ(shown[2], 0.0f) << "faded out to white";
    EXPECT_EQ(shown[3], 0.0f);

    // A frame whose compose is black can skip its passes: the black window is the same picture,
    // byte for byte, bands and all, in the toys' grading at fade 0 and the opening's at fade 1.
    EXPECT_TRUE(composed_black(context, u));
    show_black_window(sizes);
    EXPECT_EQ(read_window(kWindowWidth, kWindowHeight).bytes, dark.bytes);
    u.mode = 1;
    u.fade = 1.0f;
    EXPECT_TRUE(composed_black(context, u));
    EXPECT_EQ(compose(kCompose, u).bytes, dark.bytes);
    EXPECT_EQ(context.composed_picture_shown, 0.0f);
    // The fades that leave something of the picture draw it.
    u.fade = 0.0f;
    EXPECT_FALSE(composed_black(context, u)) << "the opening as it is";
    EXPECT_EQ(picture_shown(u), 1.0f);
    u.mode = 2;
    u.fade = 0.02f;
    EXPECT_FALSE(composed_black(context, u)) << "the toys nearly faded out";
    EXPECT_NE(compose(kCompose, u).bytes, dark.bytes);
    u.fade = 0.0f;
    context.warming_up = true;
    EXPECT_FALSE(composed_black(context, u)) << "the warm-up draws every frame's passes";
    context.warming_up = false;

    // The low-detail compose draws the same scene, with the same fade rule.
    u.mode = 1;
    u.fade = 0.0f;
    const Picture low = compose(kComposeLow, u);
    EXPECT_NEAR(low.mean(ox, oy + band, 3), picture.mean(ox, oy + band, 3), 0.08f);

    // A frame whose highlight and shaft passes did not run shows nothing of the highlights
    // texture (it holds an older frame's glow): the picture is the one black highlights give.
    u.flo = 0.5f;
    std::vector<Picture> glowing, without;
    for (int program : {kCompose, kComposeLow}) {
        u.shafts = true;
        glowing.push_back(compose(program, u));
        u.shafts = false;
        without.push_back(compose(program, u));
    }
    context.attach_color_texture(1, 0, textures.highlights);
    context.bind_render_target(1, 1);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    context.resolve_render_target(1, sizes.quarter_width(), sizes.quarter_height(), 1, false);
    u.shafts = true;
    for (int i : {0, 1}) {
        const Picture dark_highlights = compose(i == 0 ? kCompose : kComposeLow, u);
        EXPECT_TRUE(without[i].bytes == dark_highlights.bytes) << i;
        EXPECT_LT(without[i].mean(lx + 12, ly + band, 4), glowing[i].mean(lx + 12, ly + band, 4) - 0.02f)
            << i;
    }
    EXPECT_TRUE(no_gl_error());
}

// A render area smaller than the window (a render scale below 1) is composed at its own size and
// scaled up into the same letterboxed rectangle: the bands stay black and the picture is the
// full-size compose, softer.
TEST_F(ChainTest, ASmallerRenderAreaIsComposedAtItsSizeAndScaledUpIntoTheSamePlace) {
    render_and_combine();
    ComposeUniforms u;
    u.ttime = 12.5f;
    u.flo = 0.5f;
    u.pos_y = 1.0f;
    const Picture full = compose(kCompose, u);
    sizes.render_width = kRenderWidth / 2;
    sizes.render_height = kRenderHeight / 2;
    const Picture scaled = compose(kCompose, u);
    save_png(scaled, "render_test_scaled_up.png");

    const int band = (kWindowHeight - kRenderHeight) / 2;
    for (int x = 0; x < kWindowWidth; x += 5) {
        ASSERT_EQ(scaled.luma(x, band - 2), 0.0f) << x;
        ASSERT_EQ(scaled.luma(x, kWindowHeight - band + 1), 0.0f) << x;
    }
    double error = 0;
    int n = 0, lit_rows = 0;
    for (int y = band; y < kWindowHeight - band; y += 3) {
        bool lit = false;
        for (int x = 0; x < kWindowWidth; x += 3, ++n) {
            error += std::fabs(scaled.luma(x, y) - full.luma(x, y));
            lit = lit || scaled.luma(x, y) > 0.0f;
        }
        lit_rows += lit;
    }
    EXPECT_EQ(lit_rows, (kRenderHeight + 2) / 3) << "every row of the picture is drawn";
    EXPECT_LT(error / n, 0.03) << "mean difference from the full-size compose";
    int lx, ly;
    project(1.2, 2.1, -5.5, lx, ly);
    EXPECT_GT(scaled.luma(lx, ly + band), 0.8f) << "the light where the full-size picture has it";

    // A window of the render area's shape has no bands: the scaled-up picture covers every one of
    // its pixels, whatever the window held before.
    sizes.window_height = kRenderHeight;
    context.bind_window_framebuffer();
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const Picture filled = compose(kCompose, u);
    int stale = 0;
    for (int y = 0; y < kRenderHeight; ++y)
        for (int x = 0; x < kWindowWidth; ++x) {
            const uint8_t* p = filled.at(x, y);
            stale += p[0] == 255 && p[1] == 0 && p[2] == 0;
        }
    EXPECT_EQ(stale, 0) << "pixels left as the window held them";
    EXPECT_TRUE(no_gl_error());
}

// Every post-processing shader on degenerate inputs (depth at the near plane, depth at the far
// plane, black and saturated colour) rendered into a float target: all outputs finite.
TEST_F(ChainTest, PassesStayFiniteOnExtremeInputs) {
    const int size = 32;
    GLuint target = 0, fbo = 0;
    glGenTextures(1, &target);
    glBindTexture(GL_TEXTURE_2D, target);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, size, size, 0, GL_RGBA, GL_FLOAT, nullptr);
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target, 0);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

    const char* names[] = {"f_combineSSAO2",   "f_combineSSAO3",        "f_blurpass2",    "f_blurpasslow",
                           "f_blurpasstoy",    "f_blurpasstoy3",        "f_simpleblur",   "f_blurhighlights",
                           "f_blurhighlights_toys", "f_godrays",        "f_godrays2",     "f_godrays_toys",
                           "f_godrays_toys2"};
    GLuint colour = 0, depth = 0;
    glGenTextures(1, &colour);
    glGenTextures(1, &depth);
    testing::internal::CaptureStdout();
    for (int i = 0; i < std::ssize(names); ++i) shaders.load_fragment_program(kPost + names[i], 100 + i);
    testing::internal::GetCapturedStdout();
    for (float depth_value : {0.0f, 0.5f, 1.0f})
        for (float colour_value : {0.0f, 1.0f}) {
            const std::vector<float> colours(size * size * 4, colour_value);
            const std::vector<float> depths(size * size, depth_value);
            glBindTexture(GL_TEXTURE_2D, colour);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_RGBA, GL_FLOAT, colours.data());
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glBindTexture(GL_TEXTURE_2D, depth);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, size, size, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                         depths.data());
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            for (int i = 0; i < std::ssize(names); ++i) {
                const int slot = 100 + i;
                glBindFramebuffer(GL_FRAMEBUFFER, fbo);
                glViewport(0, 0, size, size);
                glMatrixMode(GL_PROJECTION);
                glLoadIdentity();
                glMatrixMode(GL_MODELVIEW);
                glLoadIdentity();
                shaders.use_program(slot);
                shaders.bind_texture_uniform(GL_TEXTURE_2D, 0, slot, "texture2d_1", colour);
                shaders.bind_texture_uniform(GL_TEXTURE_2D, 1, slot, "texture2d_2", depth);
                shaders.bind_texture_uniform(GL_TEXTURE_2D, 2, slot, "texture2d_3", colour);
                shaders.bind_texture_uniform(GL_TEXTURE_2D, 3, slot, "texture2d_random",
                                             context.texture_name(textures.random_vectors));
                shaders.bind_texture_uniform(GL_TEXTURE_2D, 4, slot, "texture2d_velocities", colour);
                glActiveTexture(GL_TEXTURE0);
                shaders.set_int(slot, "Mode", 1 + i % 4);
                shaders.set_float(slot, "Limit", 1.0f);
                shaders.set_float(slot, "WhichBlur", float(i % 2));
                shaders.set_float(slot, "SetBlur", 1.0f);
                shaders.set_vec3(slot, "MotionBlur", 0.05f, -0.02f, 1.0f);
                glColor3f(0.5f, 0.5f, 0.5f);
                draw_screen_quad(0.0, 1.0, 1.0, true, 1.0f);
                std::vector<float> out(size * size * 4);
                glReadPixels(0, 0, size, size, GL_RGBA, GL_FLOAT, out.data());
                int bad = 0;
                for (float v : out) bad += std::isfinite(v) ? 0 : 1;
                EXPECT_EQ(bad, 0) << names[i] << " depth " << depth_value << " colour " << colour_value;
            }
        }
    shaders.disable_programs();
    context.bind_window_framebuffer();
    EXPECT_TRUE(no_gl_error());
}

namespace {

// Peak signal-to-noise ratio of two equally sized 8-bit pictures over RGB; infinity when equal.
double psnr(const Picture& a, const Picture& b) {
    double squared = 0;
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.bytes.size(); ++i) {
        if (i % 4 == 3) continue;
        const double d = double(a.bytes[i]) - double(b.bytes[i]);
        squared += d * d;
        ++n;
    }
    if (squared == 0) return INFINITY;
    return 10.0 * std::log10(255.0 * 255.0 / (squared / n));
}

GLuint current_program() {
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return GLuint(program);
}

}  // namespace

// The chain's specialised copies (compose settings fixed per frame, the shafts' light found per
// corner, the occlusion's centre texels read nearest, the opening's and the final scene's broad
// occlusion at a quarter of the size) draw what the programs as loaded draw: PSNR >= 40 dB, and
// byte for byte wherever they only leave out work.
TEST_F(ChainTest, SpecialisedProgramsDrawTheSamePicture) {
    render_scene_passes(context, textures, sizes, true, [&](bool depth) { scene_pass(depth); });
    const Picture scene = read_slot(context, textures.colour);
    // As loaded, the copy with filtered samples, the copy with nearest samples.
    const struct {
        bool specialised;
        OcclusionSamples samples;
    } combines[3] = {{false, OcclusionSamples::nearest},  // the programs as loaded always filter
                     {true, OcclusionSamples::filtered},
                     {true, OcclusionSamples::nearest}};
    Picture combined[3];
    for (int run = 0; run < 3; ++run) {
        glBindTexture(GL_TEXTURE_2D, context.texture_name(textures.colour));
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, scene.width, scene.height, GL_RGBA, GL_UNSIGNED_BYTE,
                        scene.bytes.data());
        context.specialised_programs = combines[run].specialised;
        run_occlusion_combine(context, shaders, kCombine, textures, sizes, 12.5, camera, combines[run].samples);
        EXPECT_EQ(current_program() == shaders.program(kCombine), !combines[run].specialised);
        combined[run] = read_slot(context, textures.colour);
    }
    EXPECT_GE(psnr(combined[0], combined[1]), 60.0) << "centre texels read nearest are the same texels";
    const double nearest = psnr(combined[0], combined[2]);
    EXPECT_GE(nearest, 40.0) << "nearest samples move a little grain";
    EXPECT_LT(nearest, psnr(combined[0], combined[1])) << "nearest samples read other texels";
    EXPECT_LT(psnr(scene, combined[1]), 40.0) << "the combine shaded the scene";
    // The copies shade the sky (nothing drawn) apart, with the open-only copy: there it must give
    // the bytes the program as loaded gives, highlight key (alpha) included.
    std::vector<float> depth(std::size_t(scene.width) * scene.height);
    glBindTexture(GL_TEXTURE_2D, context.texture_name(textures.depth));
    glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    int sky = 0, sky_differs = 0;
    for (int y = 0; y < scene.height; ++y)
        for (int x = 0; x < scene.width; ++x) {
            if (depth[std::size_t(y) * scene.width + x] < 1.0f) continue;
            ++sky;
            for (int copy : {1, 2}) sky_differs += std::memcmp(combined[0].at(x, y), combined[copy].at(x, y), 4) != 0;
        }
    EXPECT_GT(sky, scene.width * scene.height / 10) << "the made-up frame shows sky";
    EXPECT_EQ(sky_differs, 0);

    run_filter_passes(context, shaders, kHighlights, 1, 1, sizes.quarter_width(), sizes.quarter_height(),
                      textures.colour, textures.highlights);
    const Picture highlights = read_slot(context, textures.highlights);
    Picture shafts[2];
    GLuint shaft_programs[2];
    for (int specialised : {0, 1}) {
        // The same input both times: the shafts draw in place.
        glBindTexture(GL_TEXTURE_2D, context.texture_name(textures.highlights));
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, highlights.width, highlights.height, GL_RGBA,
                        GL_UNSIGNED_BYTE, highlights.bytes.data());
        context.specialised_programs = specialised;
        run_filter_passes(context, shaders, kShafts, 1, 1, sizes.quarter_width(), sizes.quarter_height(),
                          textures.highlights, textures.highlights);
        shaft_programs[specialised] = current_program();
        shafts[specialised] = read_slot(context, textures.highlights);
    }
    EXPECT_EQ(shaft_programs[0], shaders.program(kShafts));
    EXPECT_NE(shaft_programs[1], shaders.program(kShafts)) << "the copy with the per-corner search drew";
    EXPECT_GE(psnr(shafts[0], shafts[1]), 40.0);
    EXPECT_GT(psnr(highlights, shafts[1]), 0.0);
    EXPECT_LT(psnr(highlights, shafts[1]), 40.0) << "the shafts changed the highlights";

    struct Setting {
        const char* what;
        int mode;
        float limit, which_blur, set_blur, motion[3], velocity[3], middle;
    };
    const Setting settings[] = {
        {"opening, still, sharp", 1, 0, 0, 0, {0, 0, 0}, {0, 0, 0}, 0},
        {"opening, streak and soft focus", 1, 0.7f, 0, 0, {0.02f, -0.01f, 0}, {0, 0, 0}, 0},
        {"toys, velocities read, glow", 2, 0, 0, 1, {0, 0, 0.5f}, {0, 0, 0}, 0},
        {"middle, zoom blur, depth of field", 3, 0.8f, 1, 1, {0, 0, 0}, {0, 0, 0}, 4},
        {"middle, camera streak cancelled", 3, 0.5f, 1, 0, {0.01f, 0.02f, 0}, {-0.01f, -0.02f, 0}, 0},
        {"final, still, no soft focus", 4, -0.5f, 0, 0, {0, 0, 0}, {0, 0, 0}, 0},
        // A third of a pixel across the 256-pixel render area: two reads for the taps.
        {"middle, short camera streak", 3, 0, 0, 0, {0.0012f, 0.0004f, 0}, {0, 0, 0}, 0},
    };
    for (const Setting& s : settings)
        for (int program : {int(kCompose), int(kComposeLow)}) {
            SCOPED_TRACE(std::string(s.what) + (program == kCompose ? "" : ", low detail"));
            ComposeUniforms u;
            u.mode = s.mode;
            u.ttime = 3.25f;
            u.limit = s.limit;
            u.which_blur = s.which_blur;
            u.set_blur = s.set_blur;
            std::copy(s.motion, s.motion + 3, u.motion_blur);
            std::copy(s.velocity, s.velocity + 3, u.the_velocity);
            u.zoom_blur = s.middle;
            u.pos_y = 0.4f;
            u.flo = 0.3f;
            u.fade = s.mode == 1 ? 0.2f : 0.45f;
            u.random = s.mode != 1;
            u.shafts = s.mode == 1;
            context.specialised_programs = false;
            const Picture reference = compose(program, u);
            context.specialised_programs = true;
            const Picture specialised = compose(program, u);
            const double db = psnr(reference, specialised);
            // Only the broad occlusion drawn at a quarter of the size (opening, final) or from
            // nearest samples (toys) and the two reads of a short streak change the picture; the
            // rest leaves out work or reads the same texels (a centre texel read through a linear
            // filter can take a trace of its neighbour, hence not always byte for byte).
            const bool approximated_shading = program == kCompose && s.mode != middle_grading;
            const bool approximated =
                approximated_shading || std::string(s.what).find("short") != std::string::npos;
            EXPECT_GE(db, approximated ? 40.0 : 60.0);
            if (approximated) {
                EXPECT_FALSE(std::isinf(db)) << "drawn by the copy that approximates";
            }
        }
    EXPECT_TRUE(no_gl_error());
}

// The opening's and the final scene's composes draw their broad occlusion beforehand at a
// quarter of the size: open floor and sky stay unshaded, the floor at the foot of the boxes and
// the sphere darkens; the middle scene's keeps it at full size and leaves the texture alone.
TEST_F(ChainTest, BroadOcclusionAtAQuarterOfTheSize) {
    render_and_combine();
    ComposeUniforms u;
    u.mode = middle_grading;
    u.fade = 0.5f;
    const Picture untouched = read_slot(context, textures.shading);
    compose(kCompose, u);
    EXPECT_EQ(read_slot(context, textures.shading).bytes, untouched.bytes);

    u.mode = final_grading;
    compose(kCompose, u);
    const Picture shading = read_slot(context, textures.shading);
    ASSERT_EQ(shading.width, kRenderWidth / 4);
    ASSERT_EQ(shading.height, kRenderHeight / 4);
    // The top row is sky; the darkest texel lies where the boxes and the sphere meet the floor,
    // in the lower half of the picture.
    EXPECT_EQ(shading.at(shading.width / 2, shading.height - 1)[0], 255) << "the sky is open";
    int darkest = 255, darkest_row = 0;
    for (int y = 0; y < shading.height; ++y)
        for (int x = 0; x < shading.width; ++x)
            if (shading.at(x, y)[0] < darkest) {
                darkest = shading.at(x, y)[0];
                darkest_row = y;
            }
    EXPECT_LT(darkest, 235);
    EXPECT_LT(darkest_row, shading.height / 2);
    EXPECT_GE(darkest, 255 * 0.64) << "a third of the combine's depth at most";
    EXPECT_TRUE(no_gl_error());
}
