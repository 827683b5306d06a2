#pragma once
// The middle scene's shader programs, in load order. The particle material, the simple blur, the
// highlight blur, the light shafts and the velocity programs are loaded with the rest but the
// frame never selects them.
#include <array>

#include "scenes/kit/program_table.h"

namespace middle {

enum ProgramSlot {
    particles = 2015,
    material1 = 2001,  // general paper and card ("IsAnt")
    material2 = 2011,  // cut-outs with the light's shadow matrix ("ShadowMat", "IsBird")
    material3 = 2012,  // the crowd and the columns ("IsMan")
    combine = 2003,
    compose = 2004,
    simple_blur = 2013,
    highlights = 2006,
    shafts = 2007,
    velocities = 2005,
};

inline constexpr std::array<ProgramEntry, 10> programs = {{
    {particles, "Other//Materials//v_material2particles", "Other//Materials//f_material2particles"},
    {material1, "Other//Materials3//v_material1", "Other//Materials3//f_material1"},
    {material2, "Other//Materials3//v_material2", "Other//Materials3//f_material2"},
    {material3, "Other//Materials3//v_material3", "Other//Materials3//f_material3"},
    {combine, nullptr, "Other//PostProcessing//f_combineSSAO2"},
    {compose, nullptr, "Other//PostProcessing//f_blurpass2"},
    {simple_blur, nullptr, "Other//PostProcessing//f_simpleblur"},
    {highlights, nullptr, "Other//PostProcessing//f_blurhighlights_toys"},
    {shafts, nullptr, "Other//PostProcessing//f_godrays_toys"},
    {velocities, "Other//PostProcessing//v_velocities", "Other//PostProcessing//f_velocities", 1.0},
}};

// What holding space reloads every frame, as rows of the table above. The materials come back
// from their load-time files too: read from "Materials3//..." without the "Other//" folder the
// fragment sources would be missing and the reloaded programs would draw nothing.
inline constexpr std::array<ProgramEntry, 6> developer_reload = {programs[1], programs[2], programs[3],
                                                                 programs[6], programs[4], programs[5]};

}  // namespace middle
