#pragma once
// The opening's shader programs in the order load compiles them, with the progress weight
// reported after each batch (0 = no report after that program). The two composite slots take
// the cheaper "f_blurpasslow" when the setup dialog's "Low spec GPU" is ticked.
#include <array>

#include "scenes/kit/program_table.h"

namespace opening {

inline constexpr int sea_program = 1, turtle_program = 16, particles_program = 17, fish_program = 26,
                     seafloor_program = 27, beetle_program = 28, goldfish_program = 29,
                     particles2_program = 33, blub_program = 34, background_program = 35, man_program = 38,
                     fish2_program = 39, train_program = 40, tree_program = 41, happiness_program = 42,
                     escher_program = 46, escher2_program = 51, background2_program = 52, door_program = 53,
                     house_program = 56, billboards_program = 58;
inline constexpr int combine_program = 3, combine2_program = 63, composite_program = 4,
                     composite_late_program = 64, simple_blur_program = 13, highlights_program = 6,
                     godrays_program = 7, godrays2_program = 47, velocities_program = 5;

inline constexpr const char* composite_file = "Other//PostProcessing//f_blurpass2";
inline constexpr const char* composite_low_file = "Other//PostProcessing//f_blurpasslow";

inline constexpr std::array<ProgramEntry, 30> programs = {{
    {tree_program, "Other//Materials//v_tree", "Other//Materials//f_tree"},
    {happiness_program, "Other//Materials//v_happiness", "Other//Materials//f_happiness"},
    {sea_program, "Other//Materials//v_material1sea", "Other//Materials//f_material1sea"},
    {blub_program, "Other//Materials//v_blub", "Other//Materials//f_blub", 0.33},
    {train_program, "Other//Materials//v_train", "Other//Materials//f_train"},
    {background_program, "Other//Materials//v_background", "Other//Materials//f_background"},
    {background2_program, "Other//Materials//v_background", "Other//Materials//f_background2"},
    {escher_program, "Other//Materials//v_escher", "Other//Materials//f_escher"},
    {house_program, "Other//Materials//v_house", "Other//Materials//f_house"},
    {door_program, "Other//Materials//v_door", "Other//Materials//f_door"},
    {escher2_program, "Other//Materials//v_escher", "Other//Materials//f_escher2"},
    {man_program, "Other//Materials//v_man", "Other//Materials//f_man"},
    {turtle_program, "Other//Materials//v_material2turtle", "Other//Materials//f_material2turtle"},
    {fish_program, "Other//Materials//v_material2fish", "Other//Materials//f_material2fish"},
    {fish2_program, "Other//Materials//v_material2fish2", "Other//Materials//f_material2fish2", 0.33},
    {goldfish_program, "Other//Materials//v_material2goldfish", "Other//Materials//f_material2goldfish"},
    {seafloor_program, "Other//Materials//v_materialseafloor", "Other//Materials//f_materialseafloor"},
    {beetle_program, "Other//Materials//v_materialbeetle", "Other//Materials//f_materialbeetle"},
    {particles_program, "Other//Materials//v_material2particles", "Other//Materials//f_material2particles"},
    {particles2_program, "Other//Materials//v_material2particles2",
     "Other//Materials//f_material2particles2"},
    {billboards_program, "Other//Materials//v_billboards", "Other//Materials//f_billboards", 0.33},
    {combine_program, nullptr, "Other//PostProcessing//f_combineSSAO"},
    {combine2_program, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {composite_program, nullptr, composite_file, 0, composite_low_file},
    {composite_late_program, nullptr, composite_file, 0, composite_low_file},
    {simple_blur_program, nullptr, "Other//PostProcessing//f_simpleblur"},
    {highlights_program, nullptr, "Other//PostProcessing//f_blurhighlights"},
    {godrays_program, nullptr, "Other//PostProcessing//f_godrays"},
    {godrays2_program, nullptr, "Other//PostProcessing//f_godrays2"},
    {velocities_program, "Other//PostProcessing//v_velocities", "Other//PostProcessing//f_velocities", 1.0},
}};

}  // namespace opening
