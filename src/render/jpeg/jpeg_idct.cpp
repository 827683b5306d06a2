#include "render/jpeg/jpeg_idct.h"

#include <algorithm>
#include <emmintrin.h>

namespace {

// Constants are round(c * 8192). The odd part's four outputs are written out as plain linear
// combinations of the four odd inputs (the factorised form multiplied through), which keeps every
// product within 16 x 16 bits without changing a single result.
constexpr int pass1_shift = 11;  // 13 constant bits - 2 kept fraction bits
constexpr int pass2_shift = 18;  // 13 constant bits + 2 fraction bits + 3 for the 1/8 scale

constexpr int even_a = 4433;    // 0.541196100
constexpr int even_b = 10703;   // 0.541196100 + 0.765366865
constexpr int even_c = -10704;  // 0.541196100 - 1.847759065
constexpr int dc_scale = 8192;

int16_t saturate16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// One 8-point transform; in[i * step] are the inputs, results are descaled by `shift` with
// rounding and stored as ints.
void idct_1d(const int* in, int* out, int shift) {
    const int z2 = in[2], z6 = in[6];
    const int even3 = z2 * even_b + z6 * even_a;
    const int even2 = z2 * even_a + z6 * even_c;
    const int even0 = (in[0] + in[4]) * dc_scale;
    const int even1 = (in[0] - in[4]) * dc_scale;
    const int t10 = even0 + even3, t13 = even0 - even3;
    const int t11 = even1 + even2, t12 = even1 - even2;

    const int x1 = in[1], x3 = in[3], x5 = in[5], x7 = in[7];
    const int odd3 = x1 * 11363 + x3 * 9633 + x5 * 6437 + x7 * 2260;
    const int odd2 = x1 * 9633 + x3 * -2259 + x5 * -11362 + x7 * -6436;
    const int odd1 = x1 * 6437 + x3 * -11362 + x5 * 2261 + x7 * 9633;
    const int odd0 = x1 * 2260 + x3 * -6436 + x5 * 9633 + x7 * -11363;

    const int round = 1 << (shift - 1);
    out[0] = (t10 + odd3 + round) >> shift;
    out[7] = (t10 - odd3 + round) >> shift;
    out[1] = (t11 + odd2 + round) >> shift;
    out[6] = (t11 - odd2 + round) >> shift;
    out[2] = (t12 + odd1 + round) >> shift;
    out[5] = (t12 - odd1 + round) >> shift;
    out[3] = (t13 + odd0 + round) >> shift;
    out[4] = (t13 - odd0 + round) >> shift;
}

}  // namespace

void idct_8x8_scalar(const int16_t* coefficients, uint8_t* out, int out_stride) {
    int16_t columns_done[64];
    int in[8], res[8];
    for (int x = 0; x < 8; ++x) {
        const int16_t* c = coefficients + x;
        if ((c[8] | c[16] | c[24] | c[32] | c[40] | c[48] | c[56]) == 0) {
            // (dc * 8192 + 1024) >> 11 == dc * 4: the full transform's result, taken short.
            const int16_t v = saturate16(c[0] * 4);
            for (int y = 0; y < 8; ++y) columns_done[y * 8 + x] = v;
            continue;
        }
        for (int y = 0; y < 8; ++y) in[y] = c[y * 8];
        idct_1d(in, res, pass1_shift);
        for (int y = 0; y < 8; ++y) columns_done[y * 8 + x] = saturate16(res[y]);
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) in[x] = columns_done[y * 8 + x];
        idct_1d(in, res, pass2_shift);
        uint8_t* row = out + y * out_stride;
        for (int x = 0; x < 8; ++x) row[x] = static_cast<uint8_t>(std::clamp(res[x] + 128, 0, 255));
    }
}

void idct_8x8_dc_only(int16_t dc, uint8_t* out, int out_stride) {
    const int column = saturate16(dc * 4);
    const int v = std::clamp(((column * dc_scale + (1 << (pass2_shift - 1))) >> pass2_shift) + 128, 0, 255);
    for (int y = 0; y < 8; ++y) std::fill_n(out + y * out_stride, 8, static_cast<uint8_t>(v));
}

namespace {

// Eight 1-D transforms at once: lane i of row[k] is input k of transform i. Results are descaled
// by `shift` and packed to 16 bits with saturation.
template <int shift>
inline __attribute__((always_inline)) void idct_1d_sse2(__m128i* row) {
    const __m128i round = _mm_set1_epi32(1 << (shift - 1));
    const __m128i k_even3 = _mm_setr_epi16(even_b, even_a, even_b, even_a, even_b, even_a, even_b, even_a);
    const __m128i k_even2 = _mm_setr_epi16(even_a, even_c, even_a, even_c, even_a, even_c, even_a, even_c);
    const __m128i k_sum = _mm_set1_epi16(dc_scale);
    const __m128i k_diff =
        _mm_setr_epi16(dc_scale, -dc_scale, dc_scale, -dc_scale, dc_scale, -dc_scale, dc_scale, -dc_scale);
    // Odd constants, paired as (x1, x3) and (x5, x7).
    const __m128i k_odd3_13 = _mm_setr_epi16(11363, 9633, 11363, 9633, 11363, 9633, 11363, 9633);
    const __m128i k_odd3_57 = _mm_setr_epi16(6437, 2260, 6437, 2260, 6437, 2260, 6437, 2260);
    const __m128i k_odd2_13 = _mm_setr_epi16(9633, -2259, 9633, -2259, 9633, -2259, 9633, -2259);
    const __m128i k_odd2_57 = _mm_setr_epi16(-11362, -6436, -11362, -6436, -11362, -6436, -11362, -6436);
    const __m128i k_odd1_13 = _mm_setr_epi16(6437, -11362, 6437, -11362, 6437, -11362, 6437, -11362);
    const __m128i k_odd1_57 = _mm_setr_epi16(2261, 9633, 2261, 9633, 2261, 9633, 2261, 9633);
    const __m128i k_odd0_13 = _mm_setr_epi16(2260, -6436, 2260, -6436, 2260, -6436, 2260, -6436);
    const __m128i k_odd0_57 = _mm_setr_epi16(9633, -11363, 9633, -11363, 9633, -11363, 9633, -11363);

    __m128i result[8][2];
    for (int half = 0; half < 2; ++half) {
        auto pair = [&](int a, int b) {
            return half == 0 ? _mm_unpacklo_epi16(row[a], row[b]) : _mm_unpackhi_epi16(row[a], row[b]);
        };
        const __m128i p04 = pair(0, 4), p26 = pair(2, 6), p13 = pair(1, 3), p57 = pair(5, 7);
        const __m128i even0 = _mm_madd_epi16(p04, k_sum);
        const __m128i even1 = _mm_madd_epi16(p04, k_diff);
        const __m128i even2 = _mm_madd_epi16(p26, k_even2);
        const __m128i even3 = _mm_madd_epi16(p26, k_even3);
        const __m128i t10 = _mm_add_epi32(_mm_add_epi32(even0, even3), round);
        const __m128i t13 = _mm_add_epi32(_mm_sub_epi32(even0, even3), round);
        const __m128i t11 = _mm_add_epi32(_mm_add_epi32(even1, even2), round);
        const __m128i t12 = _mm_add_epi32(_mm_sub_epi32(even1, even2), round);
        const __m128i odd3 = _mm_add_epi32(_mm_madd_epi16(p13, k_odd3_13), _mm_madd_epi16(p57, k_odd3_57));
        const __m128i odd2 = _mm_add_epi32(_mm_madd_epi16(p13, k_odd2_13), _mm_madd_epi16(p57, k_odd2_57));
        const __m128i odd1 = _mm_add_epi32(_mm_madd_epi16(p13, k_odd1_13), _mm_madd_epi16(p57, k_odd1_57));
        const __m128i odd0 = _mm_add_epi32(_mm_madd_epi16(p13, k_odd0_13), _mm_madd_epi16(p57, k_odd0_57));
        result[0][half] = _mm_srai_epi32(_mm_add_epi32(t10, odd3), shift);
        result[7][half] = _mm_srai_epi32(_mm_sub_epi32(t10, odd3), shift);
        result[1][half] = _mm_srai_epi32(_mm_add_epi32(t11, odd2), shift);
        result[6][half] = _mm_srai_epi32(_mm_sub_epi32(t11, odd2), shift);
        result[2][half] = _mm_srai_epi32(_mm_add_epi32(t12, odd1), shift);
        result[5][half] = _mm_srai_epi32(_mm_sub_epi32(t12, odd1), shift);
        result[3][half] = _mm_srai_epi32(_mm_add_epi32(t13, odd0), shift);
        result[4][half] = _mm_srai_epi32(_mm_sub_epi32(t13, odd0), shift);
    }
    for (int k = 0; k < 8; ++k) row[k] = _mm_packs_epi32(result[k][0], result[k][1]);
}

inline __attribute__((always_inline)) void transpose_8x8(__m128i* r) {
    const __m128i a0 = _mm_unpacklo_epi16(r[0], r[1]), a1 = _mm_unpackhi_epi16(r[0], r[1]);
    const __m128i a2 = _mm_unpacklo_epi16(r[2], r[3]), a3 = _mm_unpackhi_epi16(r[2], r[3]);
    const __m128i a4 = _mm_unpacklo_epi16(r[4], r[5]), a5 = _mm_unpackhi_epi16(r[4], r[5]);
    const __m128i a6 = _mm_unpacklo_epi16(r[6], r[7]), a7 = _mm_unpackhi_epi16(r[6], r[7]);
    const __m128i b0 = _mm_unpacklo_epi32(a0, a2), b1 = _mm_unpackhi_epi32(a0, a2);
    const __m128i b2 = _mm_unpacklo_epi32(a1, a3), b3 = _mm_unpackhi_epi32(a1, a3);
    const __m128i b4 = _mm_unpacklo_epi32(a4, a6), b5 = _mm_unpackhi_epi32(a4, a6);
    const __m128i b6 = _mm_unpacklo_epi32(a5, a7), b7 = _mm_unpackhi_epi32(a5, a7);
    r[0] = _mm_unpacklo_epi64(b0, b4);
    r[1] = _mm_unpackhi_epi64(b0, b4);
    r[2] = _mm_unpacklo_epi64(b1, b5);
    r[3] = _mm_unpackhi_epi64(b1, b5);
    r[4] = _mm_unpacklo_epi64(b2, b6);
    r[5] = _mm_unpackhi_epi64(b2, b6);
    r[6] = _mm_unpacklo_epi64(b3, b7);
    r[7] = _mm_unpackhi_epi64(b3, b7);
}

}  // namespace

void idct_8x8_sse2(const int16_t* coefficients, uint8_t* out, int out_stride) {
    __m128i row[8];
    for (int k = 0; k < 8; ++k)
        row[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coefficients + k * 8));
    idct_1d_sse2<pass1_shift>(row);  // columns: lane x of row[y] is column x
    transpose_8x8(row);
    idct_1d_sse2<pass2_shift>(row);  // rows, now laid out as columns
    transpose_8x8(row);
    const __m128i level = _mm_set1_epi16(128);
    for (int y = 0; y < 8; y += 2) {
        const __m128i two = _mm_packus_epi16(_mm_add_epi16(row[y], level), _mm_add_epi16(row[y + 1], level));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + y * out_stride), two);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + (y + 1) * out_stride), _mm_srli_si128(two, 8));
    }
}
