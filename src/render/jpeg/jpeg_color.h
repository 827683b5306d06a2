#pragma once
// Chroma upsampling and JFIF YCbCr -> RGB conversion for one output line.
#include <cstdint>

// R = Y + 1.402 (Cr - 128), G = Y - 0.34414 (Cb - 128) - 0.71414 (Cr - 128),
// B = Y + 1.772 (Cb - 128), in 16.16 fixed point with these exact steps, rounded and clamped.
inline constexpr int cr_to_red = 91882;
inline constexpr int cb_to_blue = 116130;
inline constexpr int cr_to_green = 46802;
inline constexpr int cb_to_green = 22554;

// Writes `count` pixels as R, G, B, 255. The SSE2 version gives identical bytes.
void ycc_to_rgbx_scalar(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int count);
void ycc_to_rgbx_sse2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int count);

// Triangle-filter ("fancy") upsampling by two. `in` holds `count` real samples; edges repeat the
// outermost sample. Writes 2 * count samples. `scratch` holds count + 2 values; use_simd picks
// the SSE2 loop, which gives the same bytes.
void upsample_h2(const uint8_t* in, int count, int16_t* scratch, uint8_t* out, bool use_simd);

// Plain doubling of every sample, for rows of at most two samples.
void upsample_h2_box(const uint8_t* in, int count, uint8_t* out);

// Vertical by two: `near` is the chroma row the output row lies in, `far` the neighbouring row on
// the output row's side; `lower` says the output row is the lower of the pair (it rounds up).
void upsample_v2(const uint8_t* near, const uint8_t* far, int count, bool lower, uint8_t* out);

// Both directions at once, for 2x2 luminance sampling: `near` and `far` as for upsample_v2.
// Writes 2 * count samples.
void upsample_h2v2(const uint8_t* near, const uint8_t* far, int count, int16_t* scratch, uint8_t* out,
                   bool use_simd);
