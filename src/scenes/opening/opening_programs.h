#pragma once
// The opening's shader programs in the order load compiles them, with the progress weight
// reported after each batch (0 = no report after that program). The two composite slots take
// the cheaper "f_blurpasslow" when the setup dialog's "Low spec GPU" is ticked.
//
// Only the programs the scene draws with are compiled: the groups of the turtle, fish, goldfish,
// beetles, blub, train, trees, happiness, door and house have no mesh to draw, and the first
// occlusion combine, the first Escher look, the simple blur and the velocities are never
// selected. The loading screen still steps where the full list of programs stepped: after the
// sea's batch, the figures' batch, the particles' batch and the post-processing.
#include <array>

#include "scenes/kit/program_table.h"

namespace opening {

inline constexpr int sea_program = 1, particles_program = 17, seafloor_program = 27, particles2_program = 33,
                     background_program = 35, man_program = 38, fish2_program = 39, escher2_program = 51,
                     background2_program = 52, billboards_program = 58;
inline constexpr int combine2_program = 63, composite_program = 4, composite_late_program = 64,
                     highlights_program = 6, godrays_program = 7, godrays2_program = 47;

inline constexpr const char* composite_file = "Other//PostProcessing//f_blurpass2";
inline constexpr const char* composite_low_file = "Other//PostProcessing//f_blurpasslow";

inline constexpr std::array<ProgramEntry, 16> programs = {{
    {sea_program, "Other//Materials//v_material1sea", "Other//Materials//f_material1sea", 0.33},
    {background_program, "Other//Materials//v_background", "Other//Materials//f_background"},
    {background2_program, "Other//Materials//v_background", "Other//Materials//f_background2"},
    {escher2_program, "Other//Materials//v_escher", "Other//Materials//f_escher2"},
    {man_program, "Other//Materials//v_man", "Other//Materials//f_man"},
    {fish2_program, "Other//Materials//v_material2fish2", "Other//Materials//f_material2fish2", 0.33},
    {seafloor_program, "Other//Materials//v_materialseafloor", "Other//Materials//f_materialseafloor"},
    {particles_program, "Other//Materials//v_material2particles", "Other//Materials//f_material2particles"},
    {particles2_program, "Other//Materials//v_material2particles2",
     "Other//Materials//f_material2particles2"},
    {billboards_program, "Other//Materials//v_billboards", "Other//Materials//f_billboards", 0.33},
    {combine2_program, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {composite_program, nullptr, composite_file, 0, composite_low_file},
    {composite_late_program, nullptr, composite_file, 0, composite_low_file},
    {highlights_program, nullptr, "Other//PostProcessing//f_blurhighlights"},
    {godrays_program, nullptr, "Other//PostProcessing//f_godrays"},
    {godrays2_program, nullptr, "Other//PostProcessing//f_godrays2", 1.0},
}};

}  // namespace opening
