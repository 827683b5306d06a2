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
//   4. harbour_state.h: `struct State` in namespace harbour, the record advance() moves and
//      render() reads (the clock, the frame's FrameState copy, whatever is integrated frame by
//      frame: springs, ropes). part_harbour derives from StatefulScene<harbour::State>
//      (stateful_scene.h), so rewinding and author mode's shader reload come with it.
//   5. harbour_clock.{h,cpp}: the scene's rate rule, advanced once a frame and returning the
//      frame's value; scenes with a steady clock use FlashClock (flash_clock.h).
//   6. harbour_windows.h: when each element draws and in which passes, as ElementWindow tables
//      (element_window.h); a window that is the scene's own choice says so and why.
//   7. harbour_shots.{h,cpp}: a base shot and ShotCue tables blended with blend_shots; the record
//      goes into the context's view camera and reaches GL through apply_camera (shots.h).
//   8. load(): tables walked in load order (program_table.h, mesh_files.h, the chain through
//      scene_textures.h), ending with start_state. resize(): the render-sized textures again
//      (resize_chain).
//   9. advance(): SceneFrame guard first (scene_frame.h), then the clock and the state; no GL.
//      render(): the passes through the chain in render/post_processing.h, each followed by
//      check_pass("harbour", "light pass") (pass_check.h); content groups start with
//      use_material (material_binding.h); a flag a material only branches on (floor or piece,
//      water or stone) is set with ShaderLibrary::set_switch, so software GL shades one branch.
//      A pass read back only where one flat piece shows is scissored to it (quad_scissor.h).
//      The compose goes through compose_to_window with the scene's fade whatever the detail
//      level, and ComposeUniforms::shafts says whether this frame's highlight and shaft passes
//      ran.
//  10. Tests in tests/scenes_harbour/: the clock and window rules on the CPU, state after advanced
//      frames, and GL frames at a few clock values with no GL error; a line in each of the
//      show-wide tests (the seek moments, the pass wiring tables, the pop stretches).
#include "scenes/kit/clock_window.h"
#include "scenes/kit/element_window.h"
#include "scenes/kit/figures.h"
#include "scenes/kit/flash_clock.h"
#include "scenes/kit/glow_picture.h"
#include "scenes/kit/material_binding.h"
#include "scenes/kit/mesh_files.h"
#include "scenes/kit/pass_check.h"
#include "scenes/kit/program_table.h"
#include "scenes/kit/quad_scissor.h"
#include "scenes/kit/scene_frame.h"
#include "scenes/kit/scene_lights.h"
#include "scenes/kit/scene_textures.h"
#include "scenes/kit/shadow_projector.h"
#include "scenes/kit/shots.h"
#include "scenes/kit/stateful_scene.h"
