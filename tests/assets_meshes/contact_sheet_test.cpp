// The contact sheet: every generated mesh, and the figure on the generated skin in four poses of
// every clip, drawn with the show's own mesh and figure code into one labelled PNG grid for a
// person to look at. Back faces are culled, so faces wound the wrong way show up as holes.
#include "anim/body.h"
#include "render/mesh.h"
#include "tests/assets_meshes/generated_pack.h"
#include "tests/assets_meshes/label_font.h"
#include "tests/support/gl_context.h"
#include "tools/assets/meshes/mesh_catalogue.h"

#include <GL/glew.h>
#include <GL/glu.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

// Tiles are drawn into a framebuffer of their own, the size of the test window.
constexpr int kTile = 256;
constexpr int kColumns = 8;
constexpr unsigned char kBackground[3] = {30, 33, 41};

struct Tile {
    std::string label;
    std::vector<unsigned char> rgba;  // bottom-up, as read back
};

struct View {
    Vec3 centre;
    double radius;
    Vec3 direction;  // from the centre towards the eye
};

void look(const View& v) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double distance = v.radius / std::sin(15.0 * 3.14159265 / 180) * 1.05;
    gluPerspective(30.0, 1.0, distance / 50, distance * 3);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Vec3 d = normalised(v.direction);
    Vec3 eye = v.centre + d * distance;
    gluLookAt(eye.x, eye.y, eye.z, v.centre.x, v.centre.y, v.centre.z, 0, 1, 0);
    const float light[4] = {0.45f, 0.8f, 0.55f, 0.0f};
    const float white[4] = {0.85f, 0.85f, 0.85f, 1}, ambient[4] = {0.25f, 0.25f, 0.28f, 1};
    const float fill[4] = {-0.5f, 0.2f, -0.6f, 0.0f}, dim[4] = {0.3f, 0.3f, 0.35f, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT1, GL_POSITION, fill);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, dim);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
}

std::vector<unsigned char> render(const std::function<void()>& draw) {
    glViewport(0, 0, kTile, kTile);
    glClearColor(kBackground[0] / 255.f, kBackground[1] / 255.f, kBackground[2] / 255.f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_NORMALIZE);
    draw();
    glFinish();
    std::vector<unsigned char> rgba(kTile * kTile * 4);
    glReadPixels(0, 0, kTile, kTile, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// A view of the whole mesh from the front-right and above, or from where its faces look.
View mesh_view(const Mesh& mesh, const std::string& stem, bool flipped) {
    Vec3 centre{mesh.bbox_centre[0], mesh.bbox_centre[1] * (flipped ? -1.0 : 1.0), mesh.bbox_centre[2]};
    double radius = 0.5 * std::hypot(mesh.bbox_extent[0], mesh.bbox_extent[1], mesh.bbox_extent[2]);
    Vec3 direction{0.6, 0.45, 0.75};
    if (stem == "wall") direction = {0.35, 0.25, -1};
    if (stem == "Asm1" || stem == "Asm2" || stem == "faces") direction = {0.25, 0.2, 1};
    if (stem == "ant") direction = {0.9, 0.7, -0.8};
    if (stem == "seaplane" || stem == "sea" || stem == "seafloor" || stem == "labyrinth" ||
        stem == "thecity1" || stem == "obj1")
        direction = {0.4, 1.1, 0.7};
    return {centre, radius, direction};
}

void draw_objects(const Mesh& mesh) {
    static const float palette[8][3] = {{0.85f, 0.72f, 0.55f}, {0.55f, 0.7f, 0.85f}, {0.75f, 0.55f, 0.75f},
                                        {0.6f, 0.8f, 0.55f},   {0.9f, 0.6f, 0.45f},  {0.55f, 0.8f, 0.8f},
                                        {0.85f, 0.85f, 0.5f},  {0.7f, 0.7f, 0.72f}};
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    int objects = static_cast<int>(mesh.object_boundaries.size()) - 1;
    for (int k = 0; k < objects; ++k) {
        glColor3fv(palette[k % 8]);
        mesh.draw(k);
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
}

void draw_ground(double size) {
    glDisable(GL_LIGHTING);
    glColor3f(0.2f, 0.24f, 0.22f);
    glBegin(GL_QUADS);
    glVertex3d(-size, 0, size);
    glVertex3d(size, 0, size);
    glVertex3d(size, 0, -size);
    glVertex3d(-size, 0, -size);
    glEnd();
}

// Labels in the pixel font, drawn into the finished sheet.
void stamp(std::vector<unsigned char>& sheet, int width, int x0, int y0, const std::string& text) {
    const int scale = 2;
    for (int y = y0 - 2; y < y0 + glyph_height * scale + 2; ++y)
        for (int x = x0 - 2; x < x0 + text_width(text) * scale + 2; ++x)
            for (int c = 0; c < 3; ++c) sheet[(y * width + x) * 3 + c] = 12;
    for (size_t i = 0; i < text.size(); ++i)
        for (int row = 0; row < glyph_height; ++row)
            for (int column = 0; column < glyph_width; ++column) {
                if (!glyph_pixel(text[i], column, row)) continue;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx) {
                        int x = x0 + (static_cast<int>(i) * (glyph_width + 1) + column) * scale + dx;
                        int y = y0 + row * scale + dy;
                        for (int c = 0; c < 3; ++c) sheet[(y * width + x) * 3 + c] = 240;
                    }
            }
}

double coverage(const Tile& tile) {
    int drawn = 0;
    for (int i = 0; i < kTile * kTile; ++i) {
        int d = 0;
        for (int c = 0; c < 3; ++c) d += std::abs(tile.rgba[i * 4 + c] - kBackground[c]);
        if (d > 24) ++drawn;
    }
    return static_cast<double>(drawn) / (kTile * kTile);
}

}  // namespace

class ContactSheet : public GlTest {};

TEST_F(ContactSheet, ShowsEveryMeshAndTheFigureInPosesOfEveryClip) {
    GLuint framebuffer = 0, colour = 0, depth = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kTile, kTile);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, kTile, kTile);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

    std::vector<Tile> tiles;
    for (const MeshFile& file : mesh_catalogue()) {
        std::string stem = std::string(file.name).substr(11);
        stem = stem.substr(0, stem.size() - 4);
        Mesh mesh;
        ASSERT_TRUE(mesh.load((generated_pack() / file.name).string(), false)) << file.name;
        // The skins are wound for the figure's y flip: show them the way the figure draws them.
        bool flipped = stem == "human4" || stem == "human4coarse";
        View view = mesh_view(mesh, stem, flipped);
        tiles.push_back({stem, render([&] {
                             look(view);
                             if (flipped) glScalef(1, -1, 1);
                             draw_objects(mesh);
                         })});
    }

    Mesh skin;
    ASSERT_TRUE(skin.load((generated_pack() / "neomeshes//human4.obj").string(), false));
    for (const char* clip : {"walk", "run", "run2", "sit", "throw_R", "push"}) {
        body figure((generated_pack() / (std::string("neomeshes//avatar_") + clip + ".bvh")).string());
        const int frames = figure.clip->frame_count - 1;
        for (int quarter = 0; quarter < 4; ++quarter) {
            figure.frame = static_cast<float>(frames * quarter / 4);
            View view{{0, 34, 0}, 44, {0.85, 0.25, 0.55}};
            tiles.push_back(
                {std::string(clip) + " " + std::to_string(static_cast<int>(figure.frame) + 1), render([&] {
                     look(view);
                     draw_ground(40);
                     figure.draw(skin);
                 })});
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    glDeleteRenderbuffers(1, &depth);
    EXPECT_TRUE(no_gl_error());

    const int rows = (static_cast<int>(tiles.size()) + kColumns - 1) / kColumns;
    const int width = kColumns * kTile, height = rows * kTile;
    std::vector<unsigned char> sheet(static_cast<size_t>(width) * height * 3, 0);
    for (size_t t = 0; t < tiles.size(); ++t) {
        int tx = static_cast<int>(t % kColumns) * kTile, ty = static_cast<int>(t / kColumns) * kTile;
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x)
                for (int c = 0; c < 3; ++c)
                    sheet[((ty + y) * width + tx + x) * 3 + c] =
                        tiles[t].rgba[((kTile - 1 - y) * kTile + x) * 4 + c];
        stamp(sheet, width, tx + 6, ty + 6, tiles[t].label);
        // Every tile shows its subject: a mesh that drew nothing, or was culled away, is a fault.
        EXPECT_GT(coverage(tiles[t]), 0.003) << tiles[t].label;
    }
    ASSERT_TRUE(stbi_write_png(CONTACT_SHEET, width, height, 3, sheet.data(), width * 3)) << CONTACT_SHEET;
    std::printf("contact sheet: %s\n", CONTACT_SHEET);
}
