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

// The chain's render-sized textures clamped to their edges, then attached to targets 0 and 1:
// what the toys, middle and final scenes do after making them, at load and at a resize.
void clamp_and_attach_chain(GraphicsContext& context, const ChainTextures& textures);

// The render area changed size: `sizes` read again and the chain's render-sized textures made
// again at them, clamped and attached as at load; the window framebuffer is left bound.
void resize_chain(GraphicsContext& context, const ChainTextures& textures, ChainSizes& sizes);

// An empty texels x 1 RGBA float texture at the table entry (an absolute index), filtered
// linearly and wrapped as given, as the opening and the final scene make one.
void create_float_texture_1d(GraphicsContext& context, int table_entry, int texels, uint32_t wrap);
