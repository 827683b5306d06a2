#pragma once
// Small builders for the scene tests' pass tables.
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/wiring/wiring_check.h"

namespace wiring {

// Shader files of one folder: files("Other/Materials", {"v_man", "f_man"}).
inline std::vector<std::string> files(const std::string& folder, std::initializer_list<const char*> names) {
    std::vector<std::string> list;
    for (const char* name : names) list.push_back(folder + "/" + name);
    return list;
}

inline std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> lists) {
    std::vector<std::string> all;
    for (const auto& list : lists) all.insert(all.end(), list.begin(), list.end());
    return all;
}

// A pass that draws the scene's content into target 0.
inline ExpectedPass scene_pass(std::string name, int outputs, std::vector<int> colour, int depth,
                               std::vector<std::string> allowed) {
    ExpectedPass pass;
    pass.name = std::move(name);
    pass.target = 0;
    pass.outputs = outputs;
    pass.colour = std::move(colour);
    pass.depth = depth;
    pass.scene = true;
    pass.allowed = std::move(allowed);
    return pass;
}

// A full-screen pass with one program into `target` (-1: the window), one output.
inline ExpectedPass full_screen(std::string name, int target, std::vector<int> colour, std::string program,
                                std::vector<ExpectedSampler> samplers,
                                std::vector<ExpectedUniform> uniforms = {}, double grey = -1.0) {
    ExpectedPass pass;
    pass.name = std::move(name);
    pass.target = target;
    pass.outputs = 1;
    pass.colour = std::move(colour);
    pass.program = std::move(program);
    pass.samplers = std::move(samplers);
    pass.uniforms = std::move(uniforms);
    pass.grey = grey;
    return pass;
}

}  // namespace wiring
