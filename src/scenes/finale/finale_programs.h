#pragma once
// The final scene's shader programs in the order load compiles them, with the loading screen's
// progress after the materials and after the post-processing programs. After the scene's other
// resources, the combine and compose slots are given their replacements; the space key reloads
// the credits materials, the sky and those two.
#include <array>

#include "scenes/kit/program_table.h"

namespace finale {

inline constexpr int particles = 3015, billboards = 3019, material1 = 3001, material1sea = 3031,
                     material2 = 3011, material3 = 3012, materialcredits = 3042, skybox = 3033;
inline constexpr int combine = 3003, compose = 3004, simple_blur = 3013, highlights = 3006, godrays = 3007,
                     velocities = 3005;

inline constexpr std::array<ProgramEntry, 14> programs = {{
    {particles, "Other//Materials//v_material2particles3", "Other//Materials//f_material2particles3"},
    {billboards, "Other//Materials//v_billboards2", "Other//Materials//f_billboards2"},
    {material1, "Other//Materials4//v_material1", "Other//Materials4//f_material1"},
    {material1sea, "Other//Materials4//v_material1sea", "Other//Materials4//f_material1sea"},
    {material2, "Other//Materials4//v_material2", "Other//Materials4//f_material2"},
    {material3, "Other//Materials4//v_material3", "Other//Materials4//f_material3"},
    {materialcredits, "Other//Materials4//v_materialcredits", "Other//Materials4//f_materialcredits"},
    {skybox, "Other//Materials4//v_materialskybox", "Other//Materials4//f_materialskybox", 1.0},
    {combine, nullptr, "Other//PostProcessing//f_combineSSAO3"},
    {compose, nullptr, "Other//PostProcessing//f_blurpasstoy3", 0.0, "Other//PostProcessing//f_blurpasslow"},
    {simple_blur, nullptr, "Other//PostProcessing//f_simpleblur"},
    {highlights, nullptr, "Other//PostProcessing//f_blurhighlights_toys"},
    {godrays, nullptr, "Other//PostProcessing//f_godrays_toys2"},
    {velocities, "Other//PostProcessing//v_velocities", "Other//PostProcessing//f_velocities", 1.0},
}};

// Loaded over their slots at the end of load. The compose keeps the cheap file when "Low spec
// GPU" was chosen: replacing it by the full one would undo that choice.
inline constexpr std::array<ProgramEntry, 2> replacements = {{
    {combine, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {compose, nullptr, "Other//PostProcessing//f_blurpass2", 0.0, "Other//PostProcessing//f_blurpasslow"},
}};

// The developer reload while space is held: the credits material, the sky, the credits
// lettering, then the two replacements.
inline constexpr std::array<ProgramEntry, 5> reloads = {{
    {material3, "Other//Materials4//v_material3", "Other//Materials4//f_material3"},
    {skybox, "Other//Materials4//v_materialskybox", "Other//Materials4//f_materialskybox"},
    {materialcredits, "Other//Materials4//v_materialcredits", "Other//Materials4//f_materialcredits"},
    replacements[0],
    replacements[1],
}};

}  // namespace finale
