#include "render/jpeg/jpeg_color.h"

#include <algorithm>
#include <array>
#include <emmintrin.h>

namespace {

struct ColorTables {
    std::array<int, 256> cr_red, cb_blue, cr_green, cb_green;
    ColorTables() {
        for (int i = 0; i < 256; ++i) {
            const int x = i - 128;
            cr_red[i] = (cr_to_red * x + 32768) >> 16;
            cb_blue[i] = (cb_to_blue * x + 32768) >> 16;
            cr_green[i] = -cr_to_green * x;
            cb_green[i] = -cb_to_green * x + 32768;
        }
    }
};

const ColorTables& color_tables() {
    static const ColorTables tables;
    return tables;
}

uint8_t clamp_byte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

void ycc_to_rgbx_scalar(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int count) {
    const ColorTables& t = color_tables();
    for (int i = 0; i < count; ++i) {
        const int luma = y[i];
        out[0] = clamp_byte(luma + t.cr_red[cr[i]]);
        out[1] = clamp_byte(luma + ((t.cb_green[cb[i]] + t.cr_green[cr[i]]) >> 16));
        out[2] = clamp_byte(luma + t.cb_blue[cb[i]]);
        out[3] = 255;
        out += 4;
    }
}

// The same integers as the tables, with each 16.16 step split so its constant fits 16 bits:
//   91882 x  = 65536 x + 26346 x          (red)
//   116130 x = 131072 x - 14942 x          (blue)
//   -46802 cr - 22554 cb = -65536 cr + (18734 cr - 22554 cb)   (green)
// The whole multiples of 65536 pass through the >> 16 exactly.
void ycc_to_rgbx_sse2(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int count) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias128 = _mm_set1_epi16(128);
    const __m128i half = _mm_set1_epi32(32768);
    const __m128i k_red = _mm_setr_epi16(26346, 0, 26346, 0, 26346, 0, 26346, 0);
    const __m128i k_blue = _mm_setr_epi16(0, -14942, 0, -14942, 0, -14942, 0, -14942);
    const __m128i k_green = _mm_setr_epi16(18734, -22554, 18734, -22554, 18734, -22554, 18734, -22554);
    const __m128i alpha = _mm_set1_epi8(static_cast<char>(0xFF));
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i yv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + i));
        const __m128i cbv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cb + i));
        const __m128i crv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(cr + i));
        __m128i channel[3][2];
        for (int h = 0; h < 2; ++h) {
            const __m128i y16 = h == 0 ? _mm_unpacklo_epi8(yv, zero) : _mm_unpackhi_epi8(yv, zero);
            const __m128i cb16 =
                _mm_sub_epi16(h == 0 ? _mm_unpacklo_epi8(cbv, zero) : _mm_unpackhi_epi8(cbv, zero), bias128);
            const __m128i cr16 =
                _mm_sub_epi16(h == 0 ? _mm_unpacklo_epi8(crv, zero) : _mm_unpackhi_epi8(crv, zero), bias128);
            const __m128i lo = _mm_unpacklo_epi16(cr16, cb16);  // (cr, cb) pairs
            const __m128i hi = _mm_unpackhi_epi16(cr16, cb16);
            auto term = [&](__m128i k) {
                const __m128i a = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(lo, k), half), 16);
                const __m128i b = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(hi, k), half), 16);
                return _mm_packs_epi32(a, b);
            };
            channel[0][h] = _mm_add_epi16(_mm_add_epi16(y16, cr16), term(k_red));
            channel[1][h] = _mm_add_epi16(_mm_sub_epi16(y16, cr16), term(k_green));
            channel[2][h] = _mm_add_epi16(_mm_add_epi16(y16, _mm_add_epi16(cb16, cb16)), term(k_blue));
        }
        const __m128i r = _mm_packus_epi16(channel[0][0], channel[0][1]);
        const __m128i g = _mm_packus_epi16(channel[1][0], channel[1][1]);
        const __m128i b = _mm_packus_epi16(channel[2][0], channel[2][1]);
        const __m128i rg_lo = _mm_unpacklo_epi8(r, g), rg_hi = _mm_unpackhi_epi8(r, g);
        const __m128i ba_lo = _mm_unpacklo_epi8(b, alpha), ba_hi = _mm_unpackhi_epi8(b, alpha);
        __m128i* dst = reinterpret_cast<__m128i*>(out + i * 4);
        _mm_storeu_si128(dst + 0, _mm_unpacklo_epi16(rg_lo, ba_lo));
        _mm_storeu_si128(dst + 1, _mm_unpackhi_epi16(rg_lo, ba_lo));
        _mm_storeu_si128(dst + 2, _mm_unpacklo_epi16(rg_hi, ba_hi));
        _mm_storeu_si128(dst + 3, _mm_unpackhi_epi16(rg_hi, ba_hi));
    }
    ycc_to_rgbx_scalar(y + i, cb + i, cr + i, out + i * 4, count - i);
}

namespace {

// The horizontal triangle step on a row of (already vertically weighted) values with one
// repeated value at each end (sums[-1] and sums[count]):
//   out[2i] = (3 s[i] + s[i-1] + even_bias) >> shift,  out[2i+1] = (3 s[i] + s[i+1] + odd_bias) >> shift
template <int even_bias, int odd_bias, int shift>
void horizontal_triangle(const int16_t* sums, int count, uint8_t* out, bool use_simd) {
    int i = 0;
    if (use_simd) {
        const __m128i be = _mm_set1_epi16(even_bias), bo = _mm_set1_epi16(odd_bias);
        for (; i + 8 <= count; i += 8) {
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
            const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i - 1));
            const __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i + 1));
            const __m128i c3 = _mm_add_epi16(_mm_add_epi16(c, c), c);
            const __m128i even = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(c3, l), be), shift);
            const __m128i odd = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(c3, r), bo), shift);
            const __m128i pixels =
                _mm_packus_epi16(_mm_unpacklo_epi16(even, odd), _mm_unpackhi_epi16(even, odd));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), pixels);
        }
    }
    for (; i < count; ++i) {
        out[2 * i] = static_cast<uint8_t>((3 * sums[i] + sums[i - 1] + even_bias) >> shift);
        out[2 * i + 1] = static_cast<uint8_t>((3 * sums[i] + sums[i + 1] + odd_bias) >> shift);
    }
}

}  // namespace

void upsample_h2(const uint8_t* in, int count, int16_t* scratch, uint8_t* out, bool use_simd) {
    int16_t* sums = scratch + 1;
    for (int i = 0; i < count; ++i) sums[i] = in[i];
    sums[-1] = sums[0];
    sums[count] = sums[count - 1];
    horizontal_triangle<1, 2, 2>(sums, count, out, use_simd);
}

void upsample_h2v2(const uint8_t* near, const uint8_t* far, int count, int16_t* scratch, uint8_t* out,
                   bool use_simd) {
    // Column sums of the vertical step first; the alternating biases (8 and 7) keep the
    // rounding from drifting in one direction.
    int16_t* sums = scratch + 1;
    int i = 0;
    if (use_simd) {
        const __m128i zero = _mm_setzero_si128();
        for (; i + 16 <= count; i += 16) {
            const __m128i n = _mm_loadu_si128(reinterpret_cast<const __m128i*>(near + i));
            const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(far + i));
            for (int h = 0; h < 2; ++h) {
                const __m128i n16 = h == 0 ? _mm_unpacklo_epi8(n, zero) : _mm_unpackhi_epi8(n, zero);
                const __m128i f16 = h == 0 ? _mm_unpacklo_epi8(f, zero) : _mm_unpackhi_epi8(f, zero);
                const __m128i sum = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(n16, n16), n16), f16);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + i + 8 * h), sum);
            }
        }
    }
    for (; i < count; ++i) sums[i] = static_cast<int16_t>(3 * near[i] + far[i]);
    sums[-1] = sums[0];
    sums[count] = sums[count - 1];
    horizontal_triangle<8, 7, 4>(sums, count, out, use_simd);
}

void upsample_h2_box(const uint8_t* in, int count, uint8_t* out) {
    for (int i = 0; i < count; ++i) out[2 * i] = out[2 * i + 1] = in[i];
}

void upsample_v2(const uint8_t* near, const uint8_t* far, int count, bool lower, uint8_t* out) {
    const int bias = lower ? 2 : 1;
    for (int i = 0; i < count; ++i) out[i] = static_cast<uint8_t>((3 * near[i] + far[i] + bias) >> 2);
}
