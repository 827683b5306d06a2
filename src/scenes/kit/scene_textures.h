#pragma once
// Texture chores the scenes' loads share.
#include <cstdint>

class GraphicsContext;

// Clamps the slot's 2D texture to its edges on both axes (a picture drawn whole, or a render
// target read at its borders); the texture is left bound.
void clamp_to_edge(const GraphicsContext& context, int slot);

// An empty texels x 1 RGBA float texture at the table entry (an absolute index), filtered
// linearly and wrapped as given, as the opening and the final scene make one.
void create_float_texture_1d(GraphicsContext& context, int table_entry, int texels, uint32_t wrap);
