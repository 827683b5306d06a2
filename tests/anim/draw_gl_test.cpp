#include <GL/glew.h>

#include "anim/body.h"
#include "anim/rigid.h"
#include "anim/tube.h"

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "tests/support/gl_context.h"

namespace {

class RigidGl : public GlTest {};
class TubeGl : public GlTest {};
class FigureGl : public GlTest {};

// A figure of three joints (abdomen, chest, head) turning about z, from a clip written to a
// temporary file with two frames of the three joints' angles; null when the file cannot be written.
std::unique_ptr<body> three_joint_figure(const std::string& file_name, const std::string& frames) {
    const std::string path = (std::filesystem::temp_directory_path() / file_name).string();
    const std::string clip =
        "ROOT abdomen { OFFSET 0 0 0 CHANNELS 1 Zrotation JOINT chest { OFFSET 0 1 0 CHANNELS 1 Zrotation "
        "JOINT head { OFFSET 0 1 0 CHANNELS 1 Zrotation End Site { OFFSET 0 1 0 } } } } "
        "MOTION Frames: 2 Frame Time: 0.1 " +
        frames;
    if (!write_file(path, clip)) return nullptr;
    testing::internal::CaptureStdout();
    auto figure = std::make_unique<body>(path);
    testing::internal::GetCapturedStdout();
    return figure;
}

TEST_F(RigidGl, TranslucentGroupSetsItsAlphaBeforeItsTriangles) {
    rigid r("Other/obj/head.obj");
    ObjGroup group;
    group.alpha = 0.5f;
    group.diffuse[0] = 0.25f;
    group.triangles = {1, 2, 3, 1, 2, 9};  // the second triangle names a missing corner
    r.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    r.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    r.groups = {&group};
    r.translucent = true;

    glColor4f(0, 0, 0, 1);
    r.draw();
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[3], 0.5f);
    float diffuse[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    EXPECT_EQ(diffuse[0], 0.25f);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(no_gl_error());
}

TEST_F(RigidGl, InvisibleObjectDrawsOnlyItsOutline) {
    rigid r("Other/obj/head.obj");
    ObjGroup group;
    group.alpha = 0.5f;
    r.groups = {&group};
    r.translucent = true;
    r.visible = false;
    r.show_bounds = true;
    glColor4f(0, 0, 0, 1);
    r.draw();
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    // The last colour set is the axes' blue, never the group's alpha.
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(RigidGl, FigureDrawLeavesTheMatrixStackBalanced) {
    const std::unique_ptr<body> figure = three_joint_figure("anim_gl_body.bvh", "0 10 20 30 40 50");
    ASSERT_NE(figure, nullptr);
    Mesh mesh;  // never loaded: the parts draw nothing, the matrices still move
    GLint depth_before = 0, depth_after = 0;
    glMatrixMode(GL_MODELVIEW);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_before);
    figure->show_bounds = true;
    figure->frame = 1.5f;
    figure->draw(mesh);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth_after);
    EXPECT_EQ(depth_after, depth_before);
    EXPECT_EQ(figure->mesh, &mesh);
    EXPECT_TRUE(no_gl_error());
}

// Counts the triangles GL receives, through feedback mode.
int feedback_triangles(void (*draw)()) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    int triangles = 0;
    for (GLint i = 0; i < used;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token == GL_POLYGON_TOKEN) {
            const GLint corners = static_cast<GLint>(buffer[i++]);
            triangles += corners == 3;
            i += corners * 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            i += token == GL_POINT_TOKEN ? 3 : 6;
        }
    }
    return triangles;
}

TEST_F(TubeGl, DrawsOneStripOfTwoTrianglesPerSidePerSegment) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    const int triangles = feedback_triangles([] {
        // Inside the unit view volume, so nothing is clipped.
        Spline s;
        for (int i = 0; i < 9; ++i) {
            s.append({0, 0, -0.8f + 0.2f * i});
            s.channel2.push_back({0.1f, 0, 0});
        }
        s.count = 9;
        draw_tube(s, {1, 0, 0}, 0.0, 6.0, 6, 9);
        draw_tube_window(s, {1, 0, 0}, 0.0, 6.0, 6, 9, 0.0, 0.34);  // segments 0..2
        draw_tube(s, {1, 0, 0}, 0.0, 6.0, 6, 1000);                 // refused
    });
    EXPECT_EQ(triangles, (6 + 3) * 2 * 9);
    EXPECT_TRUE(no_gl_error());
}

}  // namespace

namespace {

// A skin of 19 cubes (half size `half`), one per object, each wound as the figure's skin is:
// clockwise seen from outside, so that it faces out once the figure's y flip has turned it.
// The normals point out.
std::string inward_wound_cubes(float half) {
    struct Face {
        int n[3], u[3], v[3];  // normal and two axes, u x v = n
    };
    constexpr Face faces[6] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                               {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                               {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
    constexpr int corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};  // clockwise from outside
    // A texture coordinate per face keeps the corners' normals apart (corners are shared by
    // position and texture coordinate).
    std::ostringstream obj;
    for (int face = 0; face < 6; ++face) obj << "vt " << face << " 0\n";
    int vertex = 0;
    for (int object = 0; object < 19; ++object) {
        obj << "o part" << object << "\n";
        for (int face = 0; face < 6; ++face) {
            const Face& f = faces[face];
            for (const auto& c : corners) {
                obj << "v";
                for (int k = 0; k < 3; ++k) obj << ' ' << half * (f.n[k] + c[0] * f.u[k] + c[1] * f.v[k]);
                obj << "\nvn " << f.n[0] << ' ' << f.n[1] << ' ' << f.n[2] << "\n";
            }
            const auto corner = [&](int k) {
                return std::to_string(vertex + k + 1) + "/" + std::to_string(face + 1) + "/" +
                       std::to_string(vertex + k + 1) + " ";
            };
            obj << "f " << corner(0) << corner(1) << corner(2) << "\n";
            obj << "f " << corner(0) << corner(2) << corner(3) << "\n";
            vertex += 4;
        }
    }
    return obj.str();
}

}  // namespace

// The figure sends only its parts' outer faces. Lit from the viewer, every pixel it covers is a
// bright outer face, never a dark inner one, whether the matrices mirror it (a reflection pass)
// or not, under either front-face rule; and it leaves the culling state as it found it.
TEST_F(FigureGl, ShowsItsPartsOuterFacesPlainAndMirrored) {
    const std::unique_ptr<body> figure = three_joint_figure("anim_gl_cull.bvh", "0 0 0 0 0 0");
    ASSERT_NE(figure, nullptr);
    Mesh skin;
    skin.alternate_file = false;  // plain OBJ text
    skin.read(inward_wound_cubes(0.05f), false);
    skin.loaded = true;

    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-20, 20, -20, 20, 1, 100);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);  // the figure's scale shrinks the normals
    glDisable(GL_CULL_FACE);
    glCullFace(GL_FRONT_AND_BACK);

    struct Setting {
        const char* what;
        bool mirrored;
        GLenum front;
    };
    for (const Setting& s : {Setting{"plain", false, GL_CCW}, Setting{"mirrored", true, GL_CCW},
                             Setting{"mirrored, clockwise fronts", true, GL_CW}}) {
        SCOPED_TRACE(s.what);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const GLfloat towards_viewer[4] = {0, 0, 1, 0};
        glLightfv(GL_LIGHT0, GL_POSITION, towards_viewer);
        if (s.mirrored) glScalef(1, -1, 1);
        glTranslatef(0, 0, -50);
        glFrontFace(s.front);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        figure->draw(skin);
        std::vector<unsigned char> pixels(std::size_t(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0, dark = 0;
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            if (pixels[i] == 0) continue;  // background
            (pixels[i] > 128 ? lit : dark) += 1;
        }
        EXPECT_GT(lit, 200) << "the abdomen's and the chest's outer faces";
        EXPECT_EQ(dark, 0) << "an inner face showed";
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        GLint cull_mode = 0;
        glGetIntegerv(GL_CULL_FACE_MODE, &cull_mode);
        EXPECT_EQ(cull_mode, GL_FRONT_AND_BACK);
    }
    glFrontFace(GL_CCW);
    glDisable(GL_LIGHT0);
    glDisable(GL_NORMALIZE);
    glDisable(GL_DEPTH_TEST);
    EXPECT_TRUE(no_gl_error());
}
