#pragma once
// The toys scene's shader programs in load order. Files are complete show paths without the
// source extension. The last row reports the loading screen's step after the batch.
#include <array>

#include "scenes/kit/program_table.h"

namespace toys {

inline constexpr int particles_program = 1015, general = 1001, vehicle = 1021, toy_blocks = 1031,
                     tank_material = 1023, sea_material = 1027, combine = 1003, compose = 1004,
                     simple_blur = 1013, highlights = 1006, godrays = 1007, velocities = 1005;

inline constexpr std::array<ProgramEntry, 12> programs = {{
    {particles_program, "Other//Materials//v_material2particles", "Other//Materials//f_material2particles"},
    {general, "Other//Materials2//v_material1", "Other//Materials2//f_material1"},
    {vehicle, "Other//Materials2//v_materialvehicle1", "Other//Materials2//f_materialvehicle1"},
    {toy_blocks, "Other//Materials2//v_blhma", "Other//Materials2//f_blhma"},
    {tank_material, "Other//Materials2//v_materialvehicle2", "Other//Materials2//f_materialvehicle2"},
    {sea_material, "Other//Materials2//v_sea", "Other//Materials2//f_sea"},
    {combine, nullptr, "Other//PostProcessing//f_combineSSAO3"},
    {compose, nullptr, "Other//PostProcessing//f_blurpasstoy", 0.0, "Other//PostProcessing//f_blurpasslow"},
    {simple_blur, nullptr, "Other//PostProcessing//f_simpleblur"},
    {highlights, nullptr, "Other//PostProcessing//f_blurhighlights_toys"},
    {godrays, nullptr, "Other//PostProcessing//f_godrays_toys"},
    {velocities, "Other//PostProcessing//v_velocities", "Other//PostProcessing//f_velocities", 1.0},
}};

// Loaded over three of the slots once everything else is in. The compose keeps the cheap file
// when "Low spec GPU" was chosen: replacing it by the full one would undo that choice.
inline constexpr std::array<ProgramEntry, 3> replacements = {{
    {combine, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {compose, nullptr, "Other//PostProcessing//f_blurpass2", 0.0, "Other//PostProcessing//f_blurpasslow"},
    {highlights, nullptr, "Other//PostProcessing//f_blurhighlights"},
}};

// Reloaded every frame while the space key is held (a developer convenience). The material
// rows are named without the "Other//" folder, as they always have been.
inline constexpr std::array<ProgramEntry, 6> space_reload = {{
    {vehicle, "Materials2//v_materialvehicle1", "Materials2//f_materialvehicle1"},
    {tank_material, "Materials2//v_materialvehicle2", "Materials2//f_materialvehicle2"},
    {toy_blocks, "Materials2//v_blhma", "Materials2//f_blhma"},
    {highlights, nullptr, "Other//PostProcessing//f_blurhighlights"},
    {combine, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {compose, nullptr, "Other//PostProcessing//f_blurpass2", 0.0, "Other//PostProcessing//f_blurpasslow"},
}};

}  // namespace toys
