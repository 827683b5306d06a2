#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "module_order.h"

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// A throw-away tree of module folders.
class FakeTree : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("brinefall_module_order_" + std::to_string(::getpid())) / "src";
        std::filesystem::remove_all(root_.parent_path());
    }
    void TearDown() override { std::filesystem::remove_all(root_.parent_path()); }
    void write(const std::string& name, const std::string& text) {
        std::filesystem::create_directories((root_ / name).parent_path());
        std::ofstream(root_ / name) << text;
    }
    std::filesystem::path root_;
};

}  // namespace

TEST(ModuleOrder, NoModuleIncludesOneAboveIt) {
    const auto found = upward_includes(std::filesystem::path(BRINEFALL_SOURCE_DIR) / "src");
    EXPECT_TRUE(found.empty()) << joined(found);
}

TEST(ModuleOrder, NoModuleLinksOneAboveIt) {
    const auto found = upward_links(std::filesystem::path(BRINEFALL_SOURCE_DIR) / "src");
    EXPECT_TRUE(found.empty()) << joined(found);
}

TEST_F(FakeTree, AnUpwardIncludeIsNamedWithFileAndLine) {
    write("render/mesh.h",
          "#pragma once\n#include <vector>\n#include \"core/vector3.h\"\n"
          "  #  include \"show/parts.h\"  // reaches up\n");
    write("scenes/kit/shots.h", "#include \"render/mesh.h\"\n#include \"scenes/kit/kit.h\"\n");
    write("core/vector3.h", "#include \"platform/window.h\"\n");
    const auto found = upward_includes(root_);
    ASSERT_EQ(found.size(), 2u) << joined(found);
    EXPECT_EQ(found[0], "src/core/vector3.h:1: core includes platform (\"platform/window.h\")");
    EXPECT_EQ(found[1], "src/render/mesh.h:4: render includes show (\"show/parts.h\"  // reaches up)");
}

TEST_F(FakeTree, SameModuleSystemHeadersAndCommentedLinesAreNotBreaches) {
    write("anim/body.h",
          "#include \"anim/rigid.h\"\n#include <GL/glew.h>\n#include \"render/mesh.h\"\n"
          "// #include \"show/parts.h\" is mentioned, not included\n");
    EXPECT_TRUE(upward_includes(root_).empty());
}

TEST_F(FakeTree, AnUpwardLinkIsNamed) {
    write("render/CMakeLists.txt",
          "add_library(render STATIC x.cpp)\n"
          "target_link_libraries(render PUBLIC core platform\n  anim OpenGL::GL)\n");
    write("show/CMakeLists.txt", "target_link_libraries(show PUBLIC core render anim)\n");
    const auto found = upward_links(root_);
    ASSERT_EQ(found.size(), 1u) << joined(found);
    EXPECT_EQ(found[0], "src/render/CMakeLists.txt: render links anim");
}
