#include "scenes/kit/program_table.h"

#include "render/graphics_context.h"
#include "render/shader_library.h"

void load_program_entry(ShaderLibrary& shaders, bool low_detail, const ProgramEntry& entry, int base) {
    const char* fragment =
        low_detail && entry.low_detail_fragment ? entry.low_detail_fragment : entry.fragment;
    if (entry.vertex)
        shaders.load_program(entry.vertex, fragment, base + entry.slot);
    else
        shaders.load_fragment_program(fragment, base + entry.slot);
}

void load_program_table(ShaderLibrary& shaders, GraphicsContext& context, std::span<const ProgramEntry> table,
                        int base) {
    for (const ProgramEntry& entry : table) {
        load_program_entry(shaders, context.low_detail, entry, base);
        if (entry.progress_after > 0 && context.progress) context.progress(entry.progress_after);
    }
}
