#pragma once
// A small posable figure for drawing tests: a three-joint clip and a skin of cubes.
#include <memory>
#include <string>

#include "anim/body.h"

// A figure of three joints (abdomen, chest, head) turning about z, from a clip written to a
// temporary file with two frames of the three joints' angles; null when the file cannot be written.
std::unique_ptr<body> three_joint_figure(const std::string& file_name, const std::string& frames);

// A skin of 19 cubes (half size `half`), one per object, each wound as the figure's skin is:
// clockwise seen from outside, so that it faces out once the figure's y flip has turned it.
// The normals point out. OBJ text, for Mesh::read with alternate_file off.
std::string inward_wound_cubes(float half);
