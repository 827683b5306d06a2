#pragma once
// A scene's shader programs as data: rows of {slot, vertex file, fragment file}, loaded in order.
//
// File names are complete show paths without the source extension ("Other//Materials2//v_sea").
// A row without a vertex file is a fragment-only program. A row may name a cheaper fragment file
// for the setup dialog's "Low spec GPU"; a row with progress_after > 0 reports that weight to
// the loading screen once its program is loaded.
#include <span>

class GraphicsContext;
class ShaderLibrary;

struct ProgramEntry {
    int slot;
    const char* vertex;  // nullptr: a fragment-only program
    const char* fragment;
    double progress_after = 0.0;                // 0: no report after this row
    const char* low_detail_fragment = nullptr;  // used instead of fragment when low detail is on
};

// Loads every row into slot base + row.slot, in order, reporting progress through the context.
void load_program_table(ShaderLibrary& shaders, GraphicsContext& context, std::span<const ProgramEntry> table,
                        int base = 0);

// One row (again for the developer reload on space and the replacements at the end of a load),
// with the context's detail level. With the chain's specialised copies on, the row's copies are
// compiled with it: a material's depth-only copy, a searching shaft program's copy. (The compose
// copies depend on the scene's Mode: the scene prepares them, see prepare_compose_copies.)
void load_program_entry(ShaderLibrary& shaders, const GraphicsContext& context, const ProgramEntry& entry,
                        int base = 0);
