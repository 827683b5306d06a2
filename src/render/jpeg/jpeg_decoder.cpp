#include "render/jpeg/jpeg_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <emmintrin.h>
#include <new>

#include "render/jpeg/jpeg_color.h"
#include "render/jpeg/jpeg_idct.h"

namespace {

constexpr int input_buffer_size = 4096;
constexpr int max_dimension = 8192;
constexpr int max_blocks_per_mcu_row = 6144;
constexpr int max_memory_blocks = 100;
constexpr int max_scans = 1000;
constexpr int soi_search_limit = 512;

// Marker codes (the byte after 0xFF).
enum : int {
    M_SOF0 = 0xC0,
    M_SOF1 = 0xC1,
    M_SOF2 = 0xC2,
    M_DHT = 0xC4,
    M_SOF9 = 0xC9,
    M_DAC = 0xCC,
    M_RST0 = 0xD0,
    M_RST7 = 0xD7,
    M_SOI = 0xD8,
    M_EOI = 0xD9,
    M_SOS = 0xDA,
    M_DQT = 0xDB,
    M_DRI = 0xDD,
    M_TEM = 0x01,
};

// Natural-order position of the k-th coefficient in zig-zag order.
constexpr std::array<uint8_t, 64> zigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63,
};

// Thrown inside the decoder only; every public entry point catches it and keeps the code.
struct DecodeFailure {
    int code;
};

[[noreturn]] void fail(int code) { throw DecodeFailure{code}; }

int16_t saturate16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

constexpr int lookahead_bits = 9;

struct HuffmanTable {
    bool defined = false;
    int symbol_count = 0;
    std::array<uint8_t, 256> symbols{};
    // Codes of up to 9 bits, indexed by the next 9 input bits: (length << 8) | symbol, 0 if the
    // code is longer.
    std::array<uint16_t, 1 << lookahead_bits> lookup{};
    // For AC tables: run, length of code plus value bits, and the value itself, for the common
    // coefficients whose code and value bits both fit in the 9 lookahead bits; 0 otherwise.
    std::array<int32_t, 1 << lookahead_bits> fast_ac{};
    // Longer codes, canonical order: a code of length l is valid if <= max_code[l], and its
    // symbol sits at code + value_offset[l].
    std::array<int32_t, 18> max_code{};
    std::array<int32_t, 17> value_offset{};

    void build(const uint8_t* counts) {
        lookup.fill(0);
        fast_ac.fill(0);
        max_code.fill(-1);
        int code = 0;
        int index = 0;
        for (int length = 1; length <= 16; ++length) {
            value_offset[length] = index - code;
            for (int i = 0; i < counts[length]; ++i, ++index, ++code) {
                // Over-subscribed lengths give codes that cannot occur; they are never filled.
                if (length <= lookahead_bits && code < (1 << length)) {
                    const int shift = lookahead_bits - length;
                    for (int fill = 0; fill < (1 << shift); ++fill)
                        lookup[(code << shift) | fill] =
                            static_cast<uint16_t>((length << 8) | symbols[index]);
                }
            }
            if (counts[length] > 0) max_code[length] = code - 1;
            code <<= 1;
            if (code > (1 << 17)) code = 1 << 17;  // keeps a hostile table from overflowing
        }
        max_code[17] = 0x7FFFFFFF;
        for (int bits = 0; bits < (1 << lookahead_bits); ++bits) {
            const int entry = lookup[bits];
            if (entry == 0) continue;
            const int length = entry >> 8, run = (entry >> 4) & 15, size = entry & 15;
            if (size == 0 || length + size > lookahead_bits) continue;
            int value = (bits >> (lookahead_bits - length - size)) & ((1 << size) - 1);
            if (value < (1 << (size - 1))) value -= (1 << size) - 1;
            fast_ac[bits] = value * 65536 + (run << 8) + length + size;
        }
    }
};

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quant_table = 0;
    int dc_table = 0, ac_table = 0;
    int dc_predictor = 0;
    // Real sample size, and the block grid padded to whole MCUs.
    int sample_width = 0, sample_height = 0;
    int blocks_wide = 0, blocks_high = 0;
    // Quantisation in natural order, latched when the component's first scan starts.
    std::array<uint16_t, 64> quant{};
    bool quant_latched = false;
    bool quant_fits_int16 = false;
    // Whole-image coefficients (natural order, not dequantised) for multi-scan images.
    int16_t* coefficients = nullptr;
    // Three MCU rows of samples, used as a ring: the row above, the current and the next.
    uint8_t* plane = nullptr;
    int plane_stride = 0;
    int rows_per_mcu_row = 0;
};

}  // namespace

struct JpegDecoderState {
    jpeg_decoder_stream* stream;
    bool use_simd;
    int error = 0;
    bool started = false;

    // Frame.
    int width = 0, height = 0;
    int component_count = 0;
    bool progressive = false;
    std::array<Component, 4> components;
    int max_h = 1, max_v = 1;
    int mcus_wide = 0, mcus_high = 0;
    int restart_interval = 0;

    // Tables: quantisation in zig-zag order; Huffman 0..3 DC, 4..7 AC.
    std::array<std::array<uint16_t, 64>, 4> quant_tables{};
    std::array<bool, 4> quant_defined{};
    std::array<HuffmanTable, 8> huffman;

    // Current scan.
    int scan_count = 0;
    std::array<int, 4> scan_components{};
    int scan_component_count = 0;
    int spectral_start = 0, spectral_end = 63, approx_high = 0, approx_low = 0;
    int eob_run = 0;
    int restarts_left = 0;
    int next_restart = 0;
    bool streaming = false;  // single interleaved sequential scan: decoded MCU row by MCU row

    // Input.
    uint8_t input[input_buffer_size];
    int input_pos = 0, input_end = 0;
    bool input_exhausted = false;
    bool eof_padding_toggle = false;
    uint64_t bits = 0;  // next bits left-aligned
    int bit_count = 0;
    bool marker_pending = false;  // the entropy data ran into a marker (or the end of the input)
    int pending_marker = 0;

    // Output.
    int decoded_mcu_rows = 0;
    int next_line = 0;
    uint8_t* line = nullptr;
    uint8_t* upsampled_cb = nullptr;
    uint8_t* upsampled_cr = nullptr;
    int16_t* upsample_scratch = nullptr;
    alignas(16) int16_t block[64];

    // Working memory: every block allocated, released with the decoder.
    std::array<std::unique_ptr<uint8_t[]>, max_memory_blocks> memory;
    int memory_used = 0;

    JpegDecoderState(jpeg_decoder_stream* s, bool simd) : stream(s), use_simd(simd) {}

    uint8_t* allocate(size_t bytes) {
        if (memory_used == max_memory_blocks) fail(JPGD_TOO_MANY_BLOCKS);
        uint8_t* p = new (std::nothrow) uint8_t[bytes];
        if (!p) fail(JPGD_NOTENOUGHMEM);
        std::memset(p, 0, bytes);
        memory[memory_used++].reset(p);
        return p;
    }

    // ---- input ----

    bool refill() {
        if (input_exhausted) return false;
        bool end_of_file = false;
        const int count = stream->read(input, input_buffer_size, end_of_file);
        if (count < 0) fail(JPGD_STREAM_READ);
        input_pos = 0;
        input_end = std::min(count, input_buffer_size);
        // A source that returns nothing without saying so would otherwise be asked forever.
        if (end_of_file || input_end == 0) input_exhausted = true;
        return input_end > 0;
    }

    // The next byte, or -1 once the input is used up.
    int next_byte() {
        if (input_pos == input_end && !refill()) return -1;
        return input[input_pos++];
    }

    // Marker-segment bytes. A header cut short reads as a run of EOI markers, which the marker
    // parsers then refuse or treat as the end of the image.
    int header_byte() {
        const int b = next_byte();
        if (b >= 0) return b;
        eof_padding_toggle = !eof_padding_toggle;
        return eof_padding_toggle ? 0xFF : M_EOI;
    }
    int header_word() {
        const int hi = header_byte();
        return (hi << 8) | header_byte();
    }

    // The next marker code, skipping anything that is not one. The end of the input reads as EOI.
    int next_marker() {
        if (marker_pending) {
            marker_pending = false;
            bits = 0;
            bit_count = 0;
            return pending_marker;
        }
        bits = 0;
        bit_count = 0;
        for (;;) {
            int b = next_byte();
            if (b < 0) return M_EOI;
            if (b != 0xFF) continue;
            do b = next_byte();
            while (b == 0xFF);
            if (b < 0) return M_EOI;
            if (b != 0) return b;
        }
    }

    void skip_segment() {
        const int length = header_word();
        if (length < 2) fail(JPGD_BAD_VARIABLE_MARKER);
        for (int i = 2; i < length; ++i) {
            if (next_byte() < 0) return;
        }
    }

    // ---- marker segments ----

    void read_dht() {
        int left = header_word();
        if (left < 2) fail(JPGD_BAD_DHT_MARKER);
        left -= 2;
        while (left > 0) {
            if (left < 17) fail(JPGD_BAD_DHT_MARKER);
            const int class_index = header_byte();
            const int table_class = class_index >> 4, index = class_index & 15;
            if (table_class > 1 || index > 3) fail(JPGD_BAD_DHT_INDEX);
            uint8_t counts[17] = {};
            int total = 0;
            for (int i = 1; i <= 16; ++i) {
                counts[i] = static_cast<uint8_t>(header_byte());
                total += counts[i];
            }
            if (total > 255) fail(JPGD_BAD_DHT_COUNTS);
            left -= 17;
            if (left < total) fail(JPGD_BAD_DHT_MARKER);
            HuffmanTable& table = huffman[table_class * 4 + index];
            table.symbols.fill(0);
            for (int i = 0; i < total; ++i) table.symbols[i] = static_cast<uint8_t>(header_byte());
            left -= total;
            table.symbol_count = total;
            table.build(counts);
            table.defined = true;
        }
    }

    void read_dqt() {
        int left = header_word();
        if (left < 2) fail(JPGD_BAD_DQT_MARKER);
        left -= 2;
        while (left > 0) {
            const int precision_index = header_byte();
            const int precision = precision_index >> 4, index = precision_index & 15;
            if (precision > 1 || index > 3) fail(JPGD_BAD_DQT_TABLE);
            const int size = precision ? 129 : 65;
            if (left < size) fail(JPGD_BAD_DQT_LENGTH);
            for (int k = 0; k < 64; ++k)
                quant_tables[index][k] = static_cast<uint16_t>(precision ? header_word() : header_byte());
            quant_defined[index] = true;
            left -= size;
        }
    }

    void read_dri() {
        if (header_word() != 4) fail(JPGD_BAD_DRI_LENGTH);
        restart_interval = header_word();
    }

    void read_sof() {
        const int length = header_word();
        if (header_byte() != 8) fail(JPGD_BAD_PRECISION);
        height = header_word();
        if (height < 1 || height > max_dimension) fail(JPGD_BAD_HEIGHT);
        width = header_word();
        if (width < 1 || width > max_dimension) fail(JPGD_BAD_WIDTH);
        component_count = header_byte();
        if (component_count > 4) fail(JPGD_TOO_MANY_COMPONENTS);
        if (length != 8 + 3 * component_count) fail(JPGD_BAD_SOF_LENGTH);
        for (int i = 0; i < component_count; ++i) {
            Component& c = components[i];
            c.id = header_byte();
            const int sampling = header_byte();
            c.h = sampling >> 4;
            c.v = sampling & 15;
            c.quant_table = header_byte();
        }
        if (component_count != 1 && component_count != 3) fail(JPGD_UNSUPPORTED_COLORSPACE);
        for (int i = 0; i < component_count; ++i) {
            if (components[i].h < 1 || components[i].h > 4 || components[i].v < 1 || components[i].v > 4)
                fail(JPGD_UNSUPPORTED_SAMP_FACTORS);
        }
        if (component_count == 1) {
            // A single component is never interleaved: its MCU is one block whatever it declares.
            components[0].h = components[0].v = 1;
        } else {
            for (int i = 1; i < 3; ++i) {
                if (components[i].h != 1 || components[i].v != 1) fail(JPGD_UNSUPPORTED_COLORSPACE);
            }
            if (components[0].h > 2 || components[0].v > 2) fail(JPGD_UNSUPPORTED_SAMP_FACTORS);
        }
        max_h = components[0].h;
        max_v = components[0].v;
        mcus_wide = (width + 8 * max_h - 1) / (8 * max_h);
        mcus_high = (height + 8 * max_v - 1) / (8 * max_v);
        int blocks_per_mcu = 0;
        for (int i = 0; i < component_count; ++i) {
            Component& c = components[i];
            c.sample_width = (width * c.h + max_h - 1) / max_h;
            c.sample_height = (height * c.v + max_v - 1) / max_v;
            c.blocks_wide = mcus_wide * c.h;
            c.blocks_high = mcus_high * c.v;
            blocks_per_mcu += c.h * c.v;
        }
        if (blocks_per_mcu * mcus_wide > max_blocks_per_mcu_row) fail(JPGD_ASSERTION_ERROR);
    }

    void read_sos() {
        const int length = header_word();
        const int count = header_byte();
        if (count < 1 || count > 4 || length != 6 + 2 * count) fail(JPGD_BAD_SOS_LENGTH);
        for (int i = 0; i < count; ++i) {
            const int id = header_byte();
            const int tables = header_byte();
            int found = -1;
            for (int c = 0; c < component_count; ++c) {
                if (components[c].id == id) {
                    found = c;
                    break;
                }
            }
            if (found < 0) fail(JPGD_BAD_SOS_COMP_ID);
            for (int j = 0; j < i; ++j) {
                if (scan_components[j] == found) fail(JPGD_BAD_SOS_COMP_ID);
            }
            scan_components[i] = found;
            components[found].dc_table = tables >> 4;
            components[found].ac_table = tables & 15;
        }
        scan_component_count = count;
        spectral_start = header_byte();
        spectral_end = header_byte();
        const int approx = header_byte();
        approx_high = approx >> 4;
        approx_low = approx & 15;

        if (progressive) {
            if (spectral_start == 0) {
                if (spectral_end != 0) fail(JPGD_BAD_SOS_SPECTRAL);
            } else if (spectral_end < spectral_start || spectral_end > 63 || count != 1) {
                fail(JPGD_BAD_SOS_SPECTRAL);
            }
            if (approx_low > 13 || (approx_high != 0 && approx_low != approx_high - 1))
                fail(JPGD_BAD_SOS_SUCCESSIVE);
        } else {
            // Sequential scans always cover the whole block, whatever the header says.
            spectral_start = 0;
            spectral_end = 63;
            approx_high = approx_low = 0;
        }

        const bool needs_dc = !progressive || (spectral_start == 0 && approx_high == 0);
        const bool needs_ac = !progressive || spectral_start > 0;
        for (int i = 0; i < count; ++i) {
            Component& c = components[scan_components[i]];
            if (c.quant_table > 3 || !quant_defined[c.quant_table]) fail(JPGD_UNDEFINED_QUANT_TABLE);
            if (needs_dc && (c.dc_table > 3 || !huffman[c.dc_table].defined)) fail(JPGD_UNDEFINED_HUFF_TABLE);
            if (needs_ac && (c.ac_table > 3 || !huffman[4 + c.ac_table].defined))
                fail(JPGD_UNDEFINED_HUFF_TABLE);
            if (!c.quant_latched) {
                for (int k = 0; k < 64; ++k) c.quant[zigzag[k]] = quant_tables[c.quant_table][k];
                c.quant_fits_int16 = *std::max_element(c.quant.begin(), c.quant.end()) < 32768;
                c.quant_latched = true;
            }
            c.dc_predictor = 0;
        }
        eob_run = 0;
        restarts_left = restart_interval;
        next_restart = 0;
        bits = 0;
        bit_count = 0;
        marker_pending = false;
        if (++scan_count > max_scans) fail(JPGD_DECODE_ERROR);
    }

    // Up to the frame header: the constructor's part.
    void read_header() {
        int previous = next_byte();
        if (previous < 0) fail(JPGD_NOT_JPEG);
        for (int offset = 0;; ++offset) {
            const int b = next_byte();
            if (b < 0 || offset >= soi_search_limit) fail(JPGD_NOT_JPEG);
            if (previous == 0xFF && b == M_SOI) break;
            previous = b;
        }
        for (;;) {
            const int marker = next_marker();
            switch (marker) {
                case M_SOF0:
                case M_SOF1:
                    read_sof();
                    return;
                case M_SOF2:
                    progressive = true;
                    read_sof();
                    return;
                case M_SOF9:
                case M_DAC:
                    fail(JPGD_NO_ARITHMETIC_SUPPORT);
                case 0xC3:
                case 0xC5:
                case 0xC6:
                case 0xC7:
                case 0xCA:
                case 0xCB:
                case 0xCD:
                case 0xCE:
                case 0xCF:
                    fail(JPGD_UNSUPPORTED_MARKER);
                default:
                    read_table_or_skip(marker);
            }
        }
    }

    // Markers allowed between segments outside the frame header; anything standing alone or
    // out of place is refused.
    void read_table_or_skip(int marker) {
        switch (marker) {
            case M_DHT:
                read_dht();
                break;
            case M_DQT:
                read_dqt();
                break;
            case M_DRI:
                read_dri();
                break;
            case M_SOI:
            case M_EOI:
            case M_SOS:
            case M_TEM:
                fail(JPGD_UNEXPECTED_MARKER);
            default:
                if (marker >= M_RST0 && marker <= M_RST7) fail(JPGD_UNEXPECTED_MARKER);
                if (marker >= M_SOF0 && marker <= 0xCF)
                    fail(JPGD_UNEXPECTED_MARKER);  // a second frame, or DAC
                skip_segment();
        }
    }

    // Reads segments up to the next scan header; false at the end of the image.
    bool advance_to_scan(bool end_allowed) {
        for (;;) {
            const int marker = next_marker();
            if (marker == M_SOS) {
                read_sos();
                return true;
            }
            if (marker == M_EOI && end_allowed) return false;
            // Stray restart markers between scans carry nothing; skip them.
            if (end_allowed && marker >= M_RST0 && marker <= M_RST7) continue;
            read_table_or_skip(marker);
        }
    }

    // ---- entropy-coded data ----

    void fill_bits() {
        // Fast path: eight bytes in the buffer and none of them 0xFF (no stuffing, no marker).
        if (!marker_pending && bit_count <= 56 && input_end - input_pos >= 8) {
            uint64_t word;
            std::memcpy(&word, input + input_pos, 8);
            word = __builtin_bswap64(word);
            const uint64_t inverted = ~word;
            if (((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) == 0) {
                const int count = (64 - bit_count) >> 3;
                bits |= (word >> (64 - 8 * count)) << (64 - 8 * count - bit_count);
                bit_count += 8 * count;
                input_pos += count;
                return;
            }
        }
        while (bit_count <= 56) {
            if (marker_pending) {
                bit_count = 64;  // the padding: zeros, forever
                return;
            }
            int b = input_pos < input_end ? input[input_pos++] : next_byte();
            if (b < 0) {
                marker_pending = true;
                pending_marker = M_EOI;
                continue;
            }
            if (b == 0xFF) {
                int next;
                do next = next_byte();
                while (next == 0xFF);
                if (next != 0) {
                    marker_pending = true;
                    pending_marker = next < 0 ? M_EOI : next;
                    continue;
                }
            }
            bits |= static_cast<uint64_t>(b) << (56 - bit_count);
            bit_count += 8;
        }
    }

    int get_bits(int n) {  // 1..16
        if (bit_count < n) fill_bits();
        const int v = static_cast<int>(bits >> (64 - n));
        bits <<= n;
        bit_count -= n;
        return v;
    }

    int get_bit() {
        if (bit_count == 0) fill_bits();
        const int v = static_cast<int>(bits >> 63);
        bits <<= 1;
        --bit_count;
        return v;
    }

    int receive_extend(int size) {
        if (size == 0) return 0;
        const int v = get_bits(size);
        return v < (1 << (size - 1)) ? v - ((1 << size) - 1) : v;
    }

    int decode_symbol(const HuffmanTable& table) {
        if (bit_count < 16) fill_bits();
        const int entry = table.lookup[bits >> (64 - lookahead_bits)];
        if (entry) {
            const int length = entry >> 8;
            bits <<= length;
            bit_count -= length;
            return entry & 255;
        }
        for (int length = lookahead_bits + 1; length <= 16; ++length) {
            const int code = static_cast<int>(bits >> (64 - length));
            if (code <= table.max_code[length]) {
                const int index = code + table.value_offset[length];
                bits <<= length;
                bit_count -= length;
                // A hostile table can map a code outside its symbols: read it as symbol 0.
                return index >= 0 && index < table.symbol_count ? table.symbols[index] : 0;
            }
        }
        // No code matches: corrupt data. Drop the bits and carry on with symbol 0 (end of block).
        bits <<= 16;
        bit_count -= 16;
        return 0;
    }

    // Restart handling before every MCU but the first of a scan.
    void check_restart() {
        if (restart_interval == 0) return;
        if (restarts_left == 0) {
            process_restart();
            restarts_left = restart_interval;
        }
        --restarts_left;
    }

    void process_restart() {
        const int marker = next_marker();
        if (marker == M_EOI) {
            // The data ended early: keep decoding padding.
            marker_pending = true;
            pending_marker = M_EOI;
        } else if (marker != M_RST0 + next_restart) {
            fail(JPGD_BAD_RESTART_MARKER);
        }
        next_restart = (next_restart + 1) & 7;
        for (int i = 0; i < scan_component_count; ++i) components[scan_components[i]].dc_predictor = 0;
        eob_run = 0;
    }

    int next_dc(Component& c, int size) {
        if (size > 16) fail(JPGD_DECODE_ERROR);
        c.dc_predictor = saturate16(c.dc_predictor + receive_extend(size));
        return c.dc_predictor;
    }

    // A whole sequential block, coefficients multiplied by `quant` (natural order) and stored
    // in natural order into a zeroed `out`; returns the highest zig-zag index written.
    int decode_sequential_block(Component& c, const uint16_t* quant, int16_t* out) {
        const HuffmanTable& dc = huffman[c.dc_table];
        const HuffmanTable& ac = huffman[4 + c.ac_table];
        out[0] = saturate16(next_dc(c, decode_symbol(dc)) * quant[0]);
        int last = 0;
        for (int k = 1; k < 64;) {
            if (bit_count < 32) fill_bits();
            const int fast = ac.fast_ac[bits >> (64 - lookahead_bits)];
            if (fast) {
                const int consumed = fast & 255;
                bits <<= consumed;
                bit_count -= consumed;
                k += (fast >> 8) & 15;
                if (k > 63) fail(JPGD_DECODE_ERROR);
                const int position = zigzag[k];
                out[position] = saturate16((fast >> 16) * quant[position]);
                last = k++;
                continue;
            }
            const int symbol = decode_symbol(ac);
            const int run = symbol >> 4, size = symbol & 15;
            if (size == 0) {
                if (run != 15) break;
                k += 16;
                if (k > 64) fail(JPGD_DECODE_ERROR);
                continue;
            }
            k += run;
            if (k > 63) fail(JPGD_DECODE_ERROR);
            const int position = zigzag[k];
            out[position] = saturate16(receive_extend(size) * quant[position]);
            last = k++;
        }
        return last;
    }

    void decode_dc_first(Component& c, int16_t* block_coefficients) {
        const int dc = next_dc(c, decode_symbol(huffman[c.dc_table]));
        block_coefficients[0] = saturate16(dc * (1 << approx_low));
    }

    void decode_dc_refine(int16_t* block_coefficients) {
        if (get_bit())
            block_coefficients[0] = static_cast<int16_t>(block_coefficients[0] | (1 << approx_low));
    }

    void decode_ac_first(Component& c, int16_t* block_coefficients) {
        if (eob_run > 0) {
            --eob_run;
            return;
        }
        const HuffmanTable& ac = huffman[4 + c.ac_table];
        for (int k = spectral_start; k <= spectral_end;) {
            const int symbol = decode_symbol(ac);
            const int run = symbol >> 4, size = symbol & 15;
            if (size == 0) {
                if (run < 15) {
                    eob_run = (1 << run) - 1;
                    if (run) eob_run += get_bits(run);
                    return;
                }
                k += 16;
                if (k > spectral_end + 1) fail(JPGD_DECODE_ERROR);
                continue;
            }
            k += run;
            if (k > spectral_end) fail(JPGD_DECODE_ERROR);
            block_coefficients[zigzag[k]] = saturate16(receive_extend(size) * (1 << approx_low));
            ++k;
        }
    }

    void refine_nonzero(int16_t& coefficient, int p1) {
        if (get_bit() && (coefficient & p1) == 0)
            coefficient = saturate16(coefficient + (coefficient >= 0 ? p1 : -p1));
    }

    void decode_ac_refine(Component& c, int16_t* block_coefficients) {
        const int p1 = 1 << approx_low;
        int k = spectral_start;
        if (eob_run == 0) {
            const HuffmanTable& ac = huffman[4 + c.ac_table];
            for (; k <= spectral_end; ++k) {
                const int symbol = decode_symbol(ac);
                int run = symbol >> 4;
                const int size = symbol & 15;
                int value = 0;
                if (size) {
                    if (size != 1) fail(JPGD_DECODE_ERROR);
                    value = get_bit() ? p1 : -p1;
                } else if (run != 15) {
                    eob_run = 1 << run;
                    if (run) eob_run += get_bits(run);
                    break;
                }
                // Skip `run` zero coefficients, refining the non-zero ones passed on the way.
                for (; k <= spectral_end; ++k) {
                    int16_t& coefficient = block_coefficients[zigzag[k]];
                    if (coefficient != 0) {
                        refine_nonzero(coefficient, p1);
                    } else {
                        if (run == 0) {
                            if (value) coefficient = static_cast<int16_t>(value);
                            break;
                        }
                        --run;
                    }
                }
            }
        }
        if (eob_run > 0) {
            for (; k <= spectral_end; ++k) {
                int16_t& coefficient = block_coefficients[zigzag[k]];
                if (coefficient != 0) refine_nonzero(coefficient, p1);
            }
            --eob_run;
        }
    }

    int16_t* block_coefficients(const Component& c, int block_x, int block_y) {
        if (block_x >= c.blocks_wide || block_y >= c.blocks_high) fail(JPGD_ASSERTION_ERROR);
        return c.coefficients + (static_cast<size_t>(block_y) * c.blocks_wide + block_x) * 64;
    }

    void decode_buffered_block(Component& c, int block_x, int block_y) {
        int16_t* coefficients = block_coefficients(c, block_x, block_y);
        if (!progressive) {
            static constexpr std::array<uint16_t, 64> kUnit = [] {
                std::array<uint16_t, 64> a{};
                a.fill(1);
                return a;
            }();
            decode_sequential_block(c, kUnit.data(), coefficients);
        } else if (spectral_start == 0) {
            if (approx_high == 0)
                decode_dc_first(c, coefficients);
            else
                decode_dc_refine(coefficients);
        } else if (approx_high == 0) {
            decode_ac_first(c, coefficients);
        } else {
            decode_ac_refine(c, coefficients);
        }
    }

    // One scan of a multi-scan image into the coefficient buffers.
    void decode_buffered_scan() {
        if (scan_component_count == 1) {
            Component& c = components[scan_components[0]];
            const int blocks_x = (c.sample_width + 7) / 8, blocks_y = (c.sample_height + 7) / 8;
            for (int by = 0; by < blocks_y; ++by) {
                for (int bx = 0; bx < blocks_x; ++bx) {
                    check_restart();
                    decode_buffered_block(c, bx, by);
                }
            }
            return;
        }
        for (int my = 0; my < mcus_high; ++my) {
            for (int mx = 0; mx < mcus_wide; ++mx) {
                check_restart();
                for (int i = 0; i < scan_component_count; ++i) {
                    Component& c = components[scan_components[i]];
                    for (int by = 0; by < c.v; ++by) {
                        for (int bx = 0; bx < c.h; ++bx)
                            decode_buffered_block(c, mx * c.h + bx, my * c.v + by);
                    }
                }
            }
        }
    }

    // ---- samples ----

    void idct(const int16_t* coefficients, bool dc_only, uint8_t* out, int stride) {
        if (dc_only)
            idct_8x8_dc_only(coefficients[0], out, stride);
        else if (use_simd)
            idct_8x8_sse2(coefficients, out, stride);
        else
            idct_8x8_scalar(coefficients, out, stride);
    }

    // Multiplies out a stored block (saturating to 16 bits); true when only the DC term is left.
    static bool dequantise(const int16_t* source, const uint16_t* quant, int16_t* out) {
        bool dc_only = true;
        for (int k = 0; k < 64; ++k) {
            out[k] = saturate16(source[k] * quant[k]);
            if (k > 0 && out[k] != 0) dc_only = false;
        }
        return dc_only;
    }

    // The same for quantisers below 32768: full 32-bit products, packed with saturation.
    static bool dequantise_sse2(const int16_t* source, const uint16_t* quant, int16_t* out) {
        __m128i ac = _mm_setzero_si128();
        for (int k = 0; k < 64; k += 8) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + k));
            const __m128i q = _mm_loadu_si128(reinterpret_cast<const __m128i*>(quant + k));
            const __m128i low = _mm_mullo_epi16(a, q), high = _mm_mulhi_epi16(a, q);
            const __m128i product =
                _mm_packs_epi32(_mm_unpacklo_epi16(low, high), _mm_unpackhi_epi16(low, high));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), product);
            ac = _mm_or_si128(ac, k == 0 ? _mm_srli_si128(product, 2) : product);
        }
        return _mm_movemask_epi8(_mm_cmpeq_epi8(ac, _mm_setzero_si128())) == 0xFFFF;
    }

    uint8_t* plane_slot(const Component& c, int mcu_row) {
        return c.plane + static_cast<size_t>(mcu_row % 3) * c.rows_per_mcu_row * c.plane_stride;
    }

    // Fills the ring slot of MCU row `mcu_row` for every component.
    void produce_mcu_row(int mcu_row) {
        if (streaming) {
            for (int mx = 0; mx < mcus_wide; ++mx) {
                check_restart();
                for (int i = 0; i < scan_component_count; ++i) {
                    Component& c = components[scan_components[i]];
                    uint8_t* slot = plane_slot(c, mcu_row);
                    for (int by = 0; by < c.v; ++by) {
                        for (int bx = 0; bx < c.h; ++bx) {
                            std::memset(block, 0, sizeof block);
                            const int last = decode_sequential_block(c, c.quant.data(), block);
                            idct(block, last == 0, slot + by * 8 * c.plane_stride + (mx * c.h + bx) * 8,
                                 c.plane_stride);
                        }
                    }
                }
            }
            return;
        }
        for (int i = 0; i < component_count; ++i) {
            Component& c = components[i];
            uint8_t* slot = plane_slot(c, mcu_row);
            for (int by = 0; by < c.v; ++by) {
                for (int bx = 0; bx < c.blocks_wide; ++bx) {
                    const int16_t* source = block_coefficients(c, bx, mcu_row * c.v + by);
                    const bool dc_only = use_simd && c.quant_fits_int16
                                             ? dequantise_sse2(source, c.quant.data(), block)
                                             : dequantise(source, c.quant.data(), block);
                    idct(block, dc_only, slot + by * 8 * c.plane_stride + bx * 8, c.plane_stride);
                }
            }
        }
    }

    void ensure_mcu_rows(int count) {
        count = std::min(count, mcus_high);
        while (decoded_mcu_rows < count) produce_mcu_row(decoded_mcu_rows++);
    }

    // Row `row` of a component's samples, clamped to its real height.
    const uint8_t* component_row(const Component& c, int row) {
        row = std::clamp(row, 0, c.sample_height - 1);
        const int mcu_row = row / c.rows_per_mcu_row;
        return plane_slot(c, mcu_row) + static_cast<size_t>(row % c.rows_per_mcu_row) * c.plane_stride;
    }

    // Full-width chroma samples for image line y.
    const uint8_t* chroma_line(const Component& c, int y, uint8_t* buffer) {
        if (max_h == 2 && c.sample_width <= 2) {
            // Too narrow for the triangle filter to mean anything: repeat the samples, as the
            // reference decoder does for such images.
            upsample_h2_box(component_row(c, y / max_v), c.sample_width, buffer);
            return buffer;
        }
        if (max_v == 1) {
            const uint8_t* row = component_row(c, y);
            if (max_h == 1) return row;
            upsample_h2(row, c.sample_width, upsample_scratch, buffer, use_simd);
            return buffer;
        }
        const int chroma_y = y >> 1;
        const bool lower = (y & 1) != 0;
        const uint8_t* near = component_row(c, chroma_y);
        const uint8_t* far = component_row(c, lower ? chroma_y + 1 : chroma_y - 1);
        if (max_h == 1)
            upsample_v2(near, far, c.sample_width, lower, buffer);
        else
            upsample_h2v2(near, far, c.sample_width, upsample_scratch, buffer, use_simd);
        return buffer;
    }

    void start() {
        advance_to_scan(false);
        for (int i = 0; i < component_count; ++i) {
            Component& c = components[i];
            c.plane_stride = c.blocks_wide * 8;
            c.rows_per_mcu_row = c.v * 8;
            c.plane = allocate(static_cast<size_t>(3) * c.rows_per_mcu_row * c.plane_stride);
        }
        if (component_count == 3) {
            line = allocate(static_cast<size_t>(width) * 4 + 64);
            upsampled_cb = allocate(static_cast<size_t>(mcus_wide) * 16 + 64);
            upsampled_cr = allocate(static_cast<size_t>(mcus_wide) * 16 + 64);
            upsample_scratch = reinterpret_cast<int16_t*>(
                allocate((static_cast<size_t>(mcus_wide) * 8 + 16) * sizeof(int16_t)));
        }
        streaming = !progressive && scan_component_count == component_count;
        if (streaming) return;

        for (int i = 0; i < component_count; ++i) {
            Component& c = components[i];
            c.coefficients = reinterpret_cast<int16_t*>(
                allocate(static_cast<size_t>(c.blocks_wide) * c.blocks_high * 64 * sizeof(int16_t)));
        }
        do decode_buffered_scan();
        while (advance_to_scan(true));
    }

    const uint8_t* next_output_line() {
        const int y = next_line++;
        const int mcu_row = y / (8 * max_v);
        // The row below is needed for the vertical upsampling of the MCU row's last lines.
        ensure_mcu_rows(mcu_row + (component_count == 3 && max_v == 2 ? 2 : 1));
        const uint8_t* luma = component_row(components[0], y);
        if (component_count == 1) return luma;
        const uint8_t* cb = chroma_line(components[1], y, upsampled_cb);
        const uint8_t* cr = chroma_line(components[2], y, upsampled_cr);
        if (use_simd)
            ycc_to_rgbx_sse2(luma, cb, cr, line, width);
        else
            ycc_to_rgbx_scalar(luma, cb, cr, line, width);
        return line;
    }
};

jpeg_decoder::jpeg_decoder(jpeg_decoder_stream* stream, bool use_simd)
    : state_(new (std::nothrow) JpegDecoderState(stream, use_simd)) {
    if (!state_) return;
    try {
        state_->read_header();
    } catch (const DecodeFailure& failure) {
        state_->error = failure.code;
    }
}

jpeg_decoder::~jpeg_decoder() = default;

int jpeg_decoder::error_code() const { return state_ ? state_->error : JPGD_NOTENOUGHMEM; }

int jpeg_decoder::begin_decoding() {
    if (error_code() != 0) return -1;
    if (state_->started) return 0;
    state_->started = true;
    try {
        state_->start();
    } catch (const DecodeFailure& failure) {
        state_->error = failure.code;
        return -1;
    }
    return 0;
}

int jpeg_decoder::decode(const void** scan_line, unsigned* scan_line_length) {
    *scan_line = nullptr;
    *scan_line_length = 0;
    if (begin_decoding() != 0) return -1;
    if (state_->next_line >= state_->height) return 1;
    try {
        *scan_line = state_->next_output_line();
    } catch (const DecodeFailure& failure) {
        state_->error = failure.code;
        return -1;
    }
    *scan_line_length = static_cast<unsigned>(bytes_per_scan_line());
    return 0;
}

int jpeg_decoder::width() const { return state_ ? state_->width : 0; }
int jpeg_decoder::height() const { return state_ ? state_->height : 0; }
int jpeg_decoder::num_components() const { return state_ ? state_->component_count : 0; }
int jpeg_decoder::bytes_per_pixel() const { return num_components() == 3 ? 4 : 1; }
int jpeg_decoder::bytes_per_scan_line() const { return width() * bytes_per_pixel(); }
