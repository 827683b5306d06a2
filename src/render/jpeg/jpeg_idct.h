#pragma once
// Integer inverse DCT of one dequantised 8x8 block (natural order) to 8-bit samples.
//
// A Loeffler-Ligtenberg-Moschytz factorisation with 13-bit constants: columns first (results
// kept with 2 extra fraction bits and saturated to 16 bits), then rows, level shift and clamp.
// Every product pairs a 16-bit value with a 16-bit constant, so the SSE2 version computes the
// same integers with _mm_madd_epi16 and gives bit-identical output.
#include <cstdint>

void idct_8x8_scalar(const int16_t* coefficients, uint8_t* out, int out_stride);
void idct_8x8_sse2(const int16_t* coefficients, uint8_t* out, int out_stride);

// The block whose only non-zero coefficient is the DC term: a flat 8x8 square, equal to what
// both full transforms give for it.
void idct_8x8_dc_only(int16_t dc, uint8_t* out, int out_stride);
