#pragma once
// The meshes, motion clips and shake track written once per test program into a scratch
// folder, as brinefall-assets writes them into the show directory.
#include <filesystem>
#include <string>

// The folder holding the generated files (generated on first use).
const std::filesystem::path& generated_pack();
// Writes the three generators' files into `folder`; returns the number of files.
int generate_into(const std::filesystem::path& folder);
// The bytes of a generated file by its show-relative name ("neomeshes//ant.objt").
std::string generated_file(const std::string& name);
