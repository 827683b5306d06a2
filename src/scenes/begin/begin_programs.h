#pragma once
// The opening's shader programs in the order load compiles them, with the progress weight
// reported after each batch (0 = no report after that program). The two composite slots take
// the cheaper "f_blurpasslow" when the setup dialog's "Low spec GPU" is ticked.
#include <array>

#include "scenes/kit/program_table.h"

namespace begin {

namespace program {
inline constexpr int sea = 1, turtle = 16, particles = 17, fish = 26, seafloor = 27, beetle = 28,
                     goldfish = 29, particles2 = 33, blub = 34, background = 35, man = 38, fish2 = 39,
                     train = 40, tree = 41, happiness = 42, escher = 46, escher2 = 51, background2 = 52,
                     door = 53, house = 56, billboards = 58;
inline constexpr int combine = 3, combine2 = 63, composite = 4, composite_late = 64, simple_blur = 13,
                     highlights = 6, godrays = 7, godrays2 = 47, velocities = 5;
}  // namespace program

inline constexpr const char* composite_file = "Other//PostProcessing//f_blurpass2";
inline constexpr const char* composite_low_file = "Other//PostProcessing//f_blurpasslow";

inline constexpr std::array<ProgramEntry, 30> programs = {{
    {program::tree, "Other//Materials//v_tree", "Other//Materials//f_tree"},
    {program::happiness, "Other//Materials//v_happiness", "Other//Materials//f_happiness"},
    {program::sea, "Other//Materials//v_material1sea", "Other//Materials//f_material1sea"},
    {program::blub, "Other//Materials//v_blub", "Other//Materials//f_blub", 0.33},
    {program::train, "Other//Materials//v_train", "Other//Materials//f_train"},
    {program::background, "Other//Materials//v_background", "Other//Materials//f_background"},
    {program::background2, "Other//Materials//v_background", "Other//Materials//f_background2"},
    {program::escher, "Other//Materials//v_escher", "Other//Materials//f_escher"},
    {program::house, "Other//Materials//v_house", "Other//Materials//f_house"},
    {program::door, "Other//Materials//v_door", "Other//Materials//f_door"},
    {program::escher2, "Other//Materials//v_escher", "Other//Materials//f_escher2"},
    {program::man, "Other//Materials//v_man", "Other//Materials//f_man"},
    {program::turtle, "Other//Materials//v_material2turtle", "Other//Materials//f_material2turtle"},
    {program::fish, "Other//Materials//v_material2fish", "Other//Materials//f_material2fish"},
    {program::fish2, "Other//Materials//v_material2fish2", "Other//Materials//f_material2fish2", 0.33},
    {program::goldfish, "Other//Materials//v_material2goldfish", "Other//Materials//f_material2goldfish"},
    {program::seafloor, "Other//Materials//v_materialseafloor", "Other//Materials//f_materialseafloor"},
    {program::beetle, "Other//Materials//v_materialbeetle", "Other//Materials//f_materialbeetle"},
    {program::particles, "Other//Materials//v_material2particles", "Other//Materials//f_material2particles"},
    {program::particles2, "Other//Materials//v_material2particles2",
     "Other//Materials//f_material2particles2"},
    {program::billboards, "Other//Materials//v_billboards", "Other//Materials//f_billboards", 0.33},
    {program::combine, nullptr, "Other//PostProcessing//f_combineSSAO"},
    {program::combine2, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {program::composite, nullptr, composite_file, 0, composite_low_file},
    {program::composite_late, nullptr, composite_file, 0, composite_low_file},
    {program::simple_blur, nullptr, "Other//PostProcessing//f_simpleblur"},
    {program::highlights, nullptr, "Other//PostProcessing//f_blurhighlights"},
    {program::godrays, nullptr, "Other//PostProcessing//f_godrays"},
    {program::godrays2, nullptr, "Other//PostProcessing//f_godrays2"},
    {program::velocities, "Other//PostProcessing//v_velocities", "Other//PostProcessing//f_velocities", 1.0},
}};

}  // namespace begin
