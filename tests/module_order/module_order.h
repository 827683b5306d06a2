#pragma once
// Reads the source tree for breaches of the module order core < platform < render < anim < show
// < scenes < app: an `#include "m/..."` or a CMake link to module m from a module below m.
#include <filesystem>
#include <string>
#include <vector>

// "src/render/mesh.h:12: render includes show (show/parts.h)" for every upward include in the
// files under root (root holds one folder per module).
std::vector<std::string> upward_includes(const std::filesystem::path& root);

// "src/anim/CMakeLists.txt: anim links show" for every module that names a module above it in
// its CMakeLists.txt's target_link_libraries.
std::vector<std::string> upward_links(const std::filesystem::path& root);
