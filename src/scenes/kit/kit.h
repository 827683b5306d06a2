#pragma once
// What every show scene shares. A new scene, say "harbour", is written like this:
//
//   1. Folder src/scenes/harbour/ with part_harbour.{h,cpp} (the class keeps the show's name,
//      derives from parts) and everything else in `namespace harbour { ... }`.
//   2. One line in src/scenes/show_scenes.cpp: factories.scenes[slot] = [] { return new part_harbour; };
//   3. harbour_programs.h: `constexpr std::array<ProgramEntry, N> programs` in namespace harbour
//      (program_table.h): full file names, the "Low spec GPU" file in a row's low_detail_fragment.
//      load() calls load_program_table once; replacements and the developer reload reuse
//      load_program_entry. One line in the material test's scene_tables
//      (tests/scenes/material_shaders_test.cpp) compiles the table with every other.
//      Lit materials build on shaders/lib: material_vertex.glsl, material_fragment.glsl and
//      material_lighting.glsl.
//   4. harbour_clock.{h,cpp}: the scene's rate rule; scenes with a steady clock use FlashClock
//      (flash_clock.h) and keep the clock in their FrameState copy's params[0].
//   5. harbour_windows.h: when each content group draws and each pass runs, as ClockWindow tables
//      (clock_window.h).
//   6. harbour_shots.{h,cpp}: a base shot and ShotCue tables blended with blend_shots; the record
//      goes into the context's view camera and reaches GL through apply_camera (shots.h).
//   7. draw(): SceneFrame guard first (scene_frame.h); the clock; the passes through the chain in
//      render/post_processing.h, each followed by check_pass("harbour", "light pass") (pass_check.h);
//      content groups start with use_material (material_binding.h). The compose goes through
//      compose_to_window with the scene's fade whatever the detail level (the rule is beside it),
//      and ComposeUniforms::shafts says whether this frame's highlight and shaft passes ran.
//   8. Tests in tests/scenes_harbour/: the clock and window rules on the CPU, and GL frames at a few
//      clock values with no GL error.
#include "scenes/kit/clock_window.h"
#include "scenes/kit/figures.h"
#include "scenes/kit/flash_clock.h"
#include "scenes/kit/glow_picture.h"
#include "scenes/kit/material_binding.h"
#include "scenes/kit/pass_check.h"
#include "scenes/kit/program_table.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/scene_lights.h"
#include "scenes/kit/scene_textures.h"
#include "scenes/kit/shadow_projector.h"
#include "scenes/kit/shots.h"
