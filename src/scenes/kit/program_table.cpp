#include "scenes/kit/program_table.h"

#include "render/graphics_context.h"
#include "render/post_processing.h"
#include "render/shader_library.h"

void load_program_entry(ShaderLibrary& shaders, const GraphicsContext& context, const ProgramEntry& entry,
                        int base) {
    const int slot = base + entry.slot;
    // The reference pictures draw with the programs as loaded, switches and all.
    shaders.fix_switches = context.specialised_programs;
    const char* fragment =
        context.low_detail && entry.low_detail_fragment ? entry.low_detail_fragment : entry.fragment;
    if (entry.vertex)
        shaders.load_program(entry.vertex, fragment, slot);
    else
        shaders.load_fragment_program(fragment, slot);
    // The copies use_material and the chain would otherwise compile at their first use.
    if (!context.specialised_programs) return;
    if (entry.vertex)
        shaders.prepare_depth_only(slot);
    else
        prepare_filter_copy(context, shaders, slot);
}

void load_program_table(ShaderLibrary& shaders, GraphicsContext& context, std::span<const ProgramEntry> table,
                        int base) {
    for (const ProgramEntry& entry : table) {
        load_program_entry(shaders, context, entry, base);
        if (entry.progress_after > 0 && context.progress) context.progress(entry.progress_after);
    }
}
