// The texture creators: formats, filtering, contents, the compressed path, placeholders and the
// failure boxes.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <opencv2/imgcodecs.hpp>

#include "core/random.h"
#include "platform/message_box.h"
#include "render/graphics_context.h"
#include "render/texture_pixels.h"
#include "tests/support/gl_context.h"

namespace {

class TexturesTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        set_message_boxes_interactive(false);
    }

    static GLint level_parameter(GLenum target, GLenum what) {
        GLint value = 0;
        glGetTexLevelParameteriv(target, 0, what, &value);
        return value;
    }
    static GLint parameter(GLenum target, GLenum what) {
        GLint value = 0;
        glGetTexParameteriv(target, what, &value);
        return value;
    }
    static std::vector<uint8_t> read_back(GLenum format, int bytes) {
        std::vector<uint8_t> pixels(bytes);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    // A JPEG of the given size: red rising to the right, green to the bottom.
    static std::string write_jpeg(const std::string& name, int width, int height) {
        cv::Mat image(height, width, CV_8UC3);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.at<cv::Vec3b>(y, x) =
                    cv::Vec3b(40, uint8_t(y * 255 / height), uint8_t(x * 255 / width));
        const std::string path = testing::TempDir() + name;
        cv::imwrite(path, image, {cv::IMWRITE_JPEG_QUALITY, 95});
        return path;
    }
};

}  // namespace

TEST_F(TexturesTest, DepthTexture) {
    GraphicsContext context;
    context.create_depth_texture(3, 32, 16);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), context.texture_name(3));
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_INTERNAL_FORMAT), GL_DEPTH_COMPONENT24);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_WIDTH), 32);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_DEPTH_TEXTURE_MODE), GL_LUMINANCE);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(TexturesTest, NoiseAndRandomTexturesHoldTheGeneratorsBytes) {
    GraphicsContext context;
    // An odd width: rows of 15 bytes must be read tightly, not on 4-byte boundaries.
    seed_random(123456);
    context.create_noise_texture(4, 5, 3);
    RandomGenerator expected(123456);
    EXPECT_EQ(read_back(GL_RGB, 5 * 3 * 3), noise_pixels(5, 3, expected));
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_RED_SIZE), 8);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_ALPHA_SIZE), 0);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    context.create_random_texture(5, 7, 3);
    const std::vector<uint8_t> rgba = read_back(GL_RGBA, 7 * 3 * 4);
    EXPECT_EQ(rgba, random_pixels(7, 3, expected));
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_ALPHA_SIZE), 8);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    context.generate_mipmaps = true;
    context.create_random_texture(6, 8, 8);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_GENERATE_MIPMAP), GL_TRUE);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(TexturesTest, RenderAndGridTextures) {
    GraphicsContext context;
    context.create_render_texture(7, 6, 4, false);
    const std::vector<uint8_t> black = read_back(GL_RGB, 6 * 4 * 3);
    EXPECT_EQ(black, std::vector<uint8_t>(6 * 4 * 3, 0));
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_ALPHA_SIZE), 0);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    context.create_render_texture(8, 64, 64, true);
    const GLint format = level_parameter(GL_TEXTURE_2D, GL_TEXTURE_INTERNAL_FORMAT);
    EXPECT_TRUE(format == GL_COMPRESSED_RGB ||
                level_parameter(GL_TEXTURE_2D, GL_TEXTURE_COMPRESSED) == GL_TRUE)
        << std::hex << format;

    seed_random(5);
    context.create_grid_texture(9);
    RandomGenerator expected(5);
    EXPECT_EQ(read_back(GL_RGB, 192), grid_pixels(expected));
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_WIDTH), 8);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(TexturesTest, JpegTextureAndTheCompressedPath) {
    GraphicsContext context;
    int progress_calls = 0;
    double progress_value = 0;
    context.progress = [&](double v) {
        ++progress_calls;
        progress_value = v;
    };
    const std::string narrow = write_jpeg("narrow.jpg", 32, 16);
    const std::string wide = write_jpeg("wide.jpg", 64, 32);

    context.compress_textures = false;
    context.load_jpeg_texture(wide, 10);
    EXPECT_EQ(progress_calls, 1);
    EXPECT_EQ(progress_value, 0.1);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_COMPRESSED), GL_FALSE);
    const std::vector<uint8_t> rgb = read_back(GL_RGB, 64 * 32 * 3);
    const JpegLoadResult decoded = load_jpeg_rgb(wide.c_str());
    EXPECT_EQ(rgb, decoded.image.pixels);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_REPEAT);

    // 32 pixels wide stays uncompressed even with compression on; a normal map does not.
    context.compress_textures = true;
    context.load_jpeg_texture(narrow, 11);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_COMPRESSED), GL_FALSE);
    context.load_jpeg_texture(wide, 12);
    const GLint wide_compressed = level_parameter(GL_TEXTURE_2D, GL_TEXTURE_COMPRESSED);
    context.load_normal_map(narrow, 13);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_COMPRESSED), wide_compressed);
    EXPECT_EQ(progress_calls, 3);  // the normal map reports no progress
    if (wide_compressed == GL_TRUE) {
        // The re-uploaded compressed image decodes close to the source.
        glBindTexture(GL_TEXTURE_2D, context.texture_name(12));
        const std::vector<uint8_t> back = read_back(GL_RGB, 64 * 32 * 3);
        int worst = 0;
        for (std::size_t i = 0; i < back.size(); ++i)
            worst = std::max(worst, std::abs(int(back[i]) - int(decoded.image.pixels[i])));
        EXPECT_LT(worst, 40);
    }
    EXPECT_TRUE(no_gl_error());
}

TEST_F(TexturesTest, NormalMapOfAFlatImage) {
    GraphicsContext context;
    cv::Mat flat(8, 8, CV_8UC3, cv::Scalar(90, 90, 90));
    const std::string path = testing::TempDir() + "flat.jpg";
    cv::imwrite(path, flat);
    context.compress_textures = false;
    context.load_normal_map(path, 14);
    const std::vector<uint8_t> rgb = read_back(GL_RGB, 8 * 8 * 3);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(rgb[3 * i], 127);
        EXPECT_EQ(rgb[3 * i + 1], 127);
        EXPECT_EQ(rgb[3 * i + 2], 255);
    }
}

TEST_F(TexturesTest, PlaceholdersReportProgressAndDecodeNothing) {
    GraphicsContext context;
    int calls = 0;
    context.progress = [&](double) { ++calls; };
    context.placeholder_textures = true;
    context.load_jpeg_texture("no such file.jpg", 15);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(level_parameter(GL_TEXTURE_2D, GL_TEXTURE_WIDTH), 8);
    context.load_normal_map("no such file.jpg", 16);
    EXPECT_EQ(calls, 1);
    EXPECT_NE(context.texture_name(16), 0u);
}

TEST_F(TexturesTest, MissingJpegShowsItsBoxAndEndsWithStatusZero) {
    GraphicsContext context;
    std::vector<int> endings;
    context.end_process = [&](int code) { endings.push_back(code); };
    testing::internal::CaptureStderr();
    context.load_jpeg_texture("textures/missing.jpg", 17);
    context.load_normal_map("textures/missing.jpg", 18);
    int width = -1, height = -1;
    const std::vector<uint8_t> face = context.load_jpeg_pixels("textures/missing.jpg", width, height);
    const std::string boxes = testing::internal::GetCapturedStderr();
    EXPECT_NE(boxes.find("Jpg: textures/missing.jpg"), std::string::npos) << boxes;
    EXPECT_NE(boxes.find("Jpg !: textures/missing.jpg"), std::string::npos) << boxes;
    EXPECT_EQ(endings, (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(face.empty());
    EXPECT_EQ(width, 0);
    EXPECT_EQ(context.texture_name(17), 0u);

    const std::string junk = testing::TempDir() + "junk.jpg";
    std::FILE* f = std::fopen(junk.c_str(), "wb");
    std::fputs("not a jpeg at all", f);
    std::fclose(f);
    testing::internal::CaptureStderr();
    context.load_jpeg_texture(junk, 19);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Jpg !: " + junk), std::string::npos);
    EXPECT_EQ(endings.size(), 4u);
}

TEST_F(TexturesTest, CubeMapFacesAreTurnedImages) {
    GraphicsContext context;
    std::string files[6];
    for (int i = 0; i < 6; ++i) files[i] = write_jpeg("face" + std::to_string(i) + ".jpg", 16, 16);
    context.load_cube_map(files, 20);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), context.texture_name(20));
    EXPECT_EQ(parameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R), GL_REPEAT);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    GLint format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RGB8);

    int width = 0, height = 0;
    const std::vector<uint8_t> face = context.load_jpeg_pixels(files[0], width, height);
    ASSERT_EQ(face.size(), 16u * 16u * 3u);
    // Red rises to the right in the source: the first buffer pixel is the source's bottom-right
    // (bright red, bright green), the last its top-left (dark).
    EXPECT_GT(face[0], 200);
    EXPECT_GT(face[1], 200);
    EXPECT_LT(face[face.size() - 3], 30);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_TRUE(no_gl_error());
}

TEST_F(TexturesTest, MakingASlotAgainDeletesTheTextureItHeld) {
    GraphicsContext context;
    context.compress_textures = false;
    const std::string jpeg = write_jpeg("again.jpg", 8, 8);
    std::string faces[6];
    for (std::string& face : faces) face = jpeg;
    // Every creator, each replacing what the one before it left in slot 0.
    const std::vector<std::pair<const char*, std::function<void()>>> creators = {
        {"random", [&] { context.create_random_texture(0, 8, 8); }},
        {"depth", [&] { context.create_depth_texture(0, 8, 8); }},
        {"noise", [&] { context.create_noise_texture(0, 8, 8); }},
        {"render", [&] { context.create_render_texture(0, 8, 8, false); }},
        {"grid", [&] { context.create_grid_texture(0); }},
        {"jpeg", [&] { context.load_jpeg_texture(jpeg, 0); }},
        {"normal map", [&] { context.load_normal_map(jpeg, 0); }},
        {"cube map", [&] { context.load_cube_map(faces, 0); }},
        {"random again", [&] { context.create_random_texture(0, 8, 8); }},
    };
    GLuint held = 0;
    for (const auto& [kind, create] : creators) {
        SCOPED_TRACE(kind);
        create();
        const GLuint made = context.texture_name(0);
        ASSERT_NE(made, 0u);
        EXPECT_NE(made, held);
        EXPECT_TRUE(glIsTexture(made));
        if (held != 0) {
            EXPECT_FALSE(glIsTexture(held)) << "the replaced texture is still alive";
        }
        const bool cube = std::string(kind) == "cube map";
        GLint bound = 0;
        glGetIntegerv(cube ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), made) << "the new texture is left bound";
        held = made;
    }
    // Other slots keep theirs.
    context.create_random_texture(1, 4, 4);
    const GLuint neighbour = context.texture_name(1);
    context.create_random_texture(0, 4, 4);
    EXPECT_TRUE(glIsTexture(neighbour));
    EXPECT_TRUE(no_gl_error());
}

TEST_F(TexturesTest, AFailedLoadOrAnEntryACreatorDidNotMakeIsLeftAlone) {
    GraphicsContext context;
    context.end_process = [](int) {};
    testing::internal::CaptureStderr();
    context.create_random_texture(3, 4, 4);
    const GLuint kept = context.texture_name(3);
    context.load_jpeg_texture("textures/missing.jpg", 3);
    EXPECT_EQ(context.texture_name(3), kept);
    EXPECT_TRUE(glIsTexture(kept)) << "a load that failed replaced nothing";

    // A scene's own texture, written into the table by the scene itself, is the scene's to keep.
    GLuint own = 0;
    glGenTextures(1, &own);
    glBindTexture(GL_TEXTURE_1D, own);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA32F, 4, 0, GL_RGBA, GL_FLOAT, nullptr);
    context.texture_table[999] = own;
    context.create_render_texture(999, 4, 4, false);
    EXPECT_TRUE(glIsTexture(own));
    EXPECT_NE(context.texture_name(999), own);
    testing::internal::GetCapturedStderr();
    glDeleteTextures(1, &own);
    EXPECT_TRUE(no_gl_error());
}
