#pragma once
// The opening's shader programs in the order load compiles them, with the progress weight
// reported after each batch (0 = no report after that program). Material files live under
// "Other//Materials//"; post-processing files carry their full folder. File names are given
// without the source extension the shader library appends.
#include <array>

#include "scenes/kit/program_table.h"

namespace begin_programs {

inline constexpr int sea = 1, turtle = 16, particles = 17, fish = 26, seafloor = 27, beetle = 28,
                     goldfish = 29, particles2 = 33, blub = 34, background = 35, man = 38,
                     fish2 = 39, train = 40, tree = 41, happiness = 42, escher = 46, escher2 = 51,
                     background2 = 52, door = 53, house = 56, billboards = 58;
inline constexpr int combine = 3, combine2 = 63, composite = 4, composite_late = 64,
                     simple_blur = 13, highlights = 6, godrays = 7, godrays2 = 47, velocities = 5;

inline constexpr const char* materials = "Other//Materials//";
inline constexpr const char* post = "Other//PostProcessing//";

inline constexpr std::array<ProgramEntry, 21> material_programs = {{
    {tree, "v_tree", "f_tree", 0},
    {happiness, "v_happiness", "f_happiness", 0},
    {sea, "v_material1sea", "f_material1sea", 0},
    {blub, "v_blub", "f_blub", 0.33},
    {train, "v_train", "f_train", 0},
    {background, "v_background", "f_background", 0},
    {background2, "v_background", "f_background2", 0},
    {escher, "v_escher", "f_escher", 0},
    {house, "v_house", "f_house", 0},
    {door, "v_door", "f_door", 0},
    {escher2, "v_escher", "f_escher2", 0},
    {man, "v_man", "f_man", 0},
    {turtle, "v_material2turtle", "f_material2turtle", 0},
    {fish, "v_material2fish", "f_material2fish", 0},
    {fish2, "v_material2fish2", "f_material2fish2", 0.33},
    {goldfish, "v_material2goldfish", "f_material2goldfish", 0},
    {seafloor, "v_materialseafloor", "f_materialseafloor", 0},
    {beetle, "v_materialbeetle", "f_materialbeetle", 0},
    {particles, "v_material2particles", "f_material2particles", 0},
    {particles2, "v_material2particles2", "f_material2particles2", 0},
    {billboards, "v_billboards", "f_billboards", 0.33},
}};

// The composite slots hold "f_blurpasslow" instead when the low-detail option is on.
inline constexpr const char* composite_file = "f_blurpass2";
inline constexpr const char* composite_low_file = "f_blurpasslow";

inline constexpr std::array<ProgramEntry, 9> post_programs = {{
    {combine, nullptr, "f_combineSSAO", 0},
    {combine2, nullptr, "f_combineSSAO2", 0},
    {composite, nullptr, composite_file, 0},
    {composite_late, nullptr, composite_file, 0},
    {simple_blur, nullptr, "f_simpleblur", 0},
    {highlights, nullptr, "f_blurhighlights", 0},
    {godrays, nullptr, "f_godrays", 0},
    {godrays2, nullptr, "f_godrays2", 0},
    {velocities, "v_velocities", "f_velocities", 1.0},
}};

}  // namespace begin_programs
