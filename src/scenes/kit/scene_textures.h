#pragma once
// Texture chores the scenes' loads share.
#include <cstdint>

#include "render/post_processing.h"

class GraphicsContext;

// The render area and the window as the application state has them now.
ChainSizes current_sizes();

// Clamps the slot's 2D texture to its edges on both axes (a picture drawn whole, or a render
// target read at its borders); the texture is left bound.
void clamp_to_edge(const GraphicsContext& context, int slot);

// An empty texels x 1 RGBA float texture at the table entry (an absolute index), filtered
// linearly and wrapped as given, as the opening and the final scene make one.
void create_float_texture_1d(GraphicsContext& context, int table_entry, int texels, uint32_t wrap);
