#pragma once
// The show's JPEG decoder (ITU-T T.81, JFIF): Huffman-coded baseline, extended sequential and
// progressive images with 8-bit samples, handed out one scan line at a time.
//
//   jpeg_decoder_file_stream stream;
//   if (!stream.open(name)) ...;
//   jpeg_decoder decoder(&stream, true);
//   if (decoder.error_code() != 0 || decoder.begin_decoding() != 0) ...;
//   for (int y = 0; y < decoder.height(); ++y) decoder.decode(&line, &length);
//
// Colour images come out as 4 bytes per pixel (R, G, B and a padding byte of 255), greyscale
// images as 1 byte per pixel. Every file is treated as hostile: a malformed one ends in one of the
// negative codes below, a truncated one decodes its missing data as padding and still delivers
// every line. Nothing is thrown out of the decoder.
#include <cstdint>
#include <memory>

#include "render/jpeg/jpeg_decoder_stream.h"

enum jpeg_error_code : int {
    JPGD_BAD_DHT_COUNTS = -200,            // code-length counts add up to more than 255
    JPGD_BAD_DHT_INDEX = -201,             // class/index beyond the 8 tables (4 DC, 4 AC)
    JPGD_BAD_DHT_MARKER = -202,            // DHT segment too short
    JPGD_BAD_DQT_MARKER = -203,            // DQT segment length below 2
    JPGD_BAD_DQT_TABLE = -204,             // DQT table entry that does not fit the segment
    JPGD_BAD_PRECISION = -205,             // sample precision other than 8
    JPGD_BAD_HEIGHT = -206,                // height outside 1..8192
    JPGD_BAD_WIDTH = -207,                 // width outside 1..8192
    JPGD_TOO_MANY_COMPONENTS = -208,       // more than 4 components
    JPGD_BAD_SOF_LENGTH = -209,            // frame header length not 8 + 3 * components
    JPGD_BAD_VARIABLE_MARKER = -210,       // skipped segment's length below 2
    JPGD_BAD_DRI_LENGTH = -211,            // DRI length other than 4
    JPGD_BAD_SOS_LENGTH = -212,            // scan header length or component count wrong
    JPGD_BAD_SOS_COMP_ID = -213,           // scan component the frame does not have
    JPGD_NO_ARITHMETIC_SUPPORT = -215,     // arithmetic coding
    JPGD_UNEXPECTED_MARKER = -216,         // a marker where a segment was expected
    JPGD_NOT_JPEG = -217,                  // no SOI marker at offsets 0..511
    JPGD_UNSUPPORTED_MARKER = -218,        // unsupported frame type
    JPGD_BAD_DQT_LENGTH = -219,            // DQT segment shorter than its table
    JPGD_TOO_MANY_BLOCKS = -221,           // working-memory list (100 entries) full
    JPGD_UNDEFINED_QUANT_TABLE = -222,     // scan component with an undefined quantisation table
    JPGD_UNDEFINED_HUFF_TABLE = -223,      // scan component with an undefined Huffman table
    JPGD_UNSUPPORTED_COLORSPACE = -225,    // component count or chroma sampling
    JPGD_UNSUPPORTED_SAMP_FACTORS = -226,  // luminance sampling not 1x1, 2x1, 1x2 or 2x2
    JPGD_DECODE_ERROR = -227,              // corrupt entropy-coded data
    JPGD_BAD_RESTART_MARKER = -228,        // restart marker out of sequence
    JPGD_ASSERTION_ERROR = -229,           // internal bound exceeded
    JPGD_BAD_SOS_SPECTRAL = -230,          // bad spectral selection in a progressive scan
    JPGD_BAD_SOS_SUCCESSIVE = -231,        // bad successive approximation in a progressive scan
    JPGD_STREAM_READ = -232,               // the stream's read reported an error
    JPGD_NOTENOUGHMEM = -233,              // working memory could not be allocated
};

struct JpegDecoderState;

class jpeg_decoder {
public:
    // Reads the markers up to and including the frame header; check error_code() afterwards.
    // use_simd selects the SSE2 inverse DCT and colour conversion (same output as without).
    // The stream must outlive the decoder.
    jpeg_decoder(jpeg_decoder_stream* stream, bool use_simd);
    ~jpeg_decoder();
    jpeg_decoder(const jpeg_decoder&) = delete;
    jpeg_decoder& operator=(const jpeg_decoder&) = delete;

    // 0, or the negative code of the first error met.
    int error_code() const;

    // Reads up to the first scan (for progressive and multi-scan images, every scan). 0 when
    // decoding has started, also on later calls; -1 if an error code is set or starting fails.
    int begin_decoding();

    // Points scan_line at the next line, top line first, and sets its length in bytes; the line
    // stays valid until the next call. Returns 0 for a line, 1 once every line has been
    // delivered, -1 on an error (error_code() says which). Starts decoding if not yet started.
    int decode(const void** scan_line, unsigned* scan_line_length);

    // Image properties, valid after a successful construction.
    int width() const;
    int height() const;
    int num_components() const;
    int bytes_per_pixel() const;
    int bytes_per_scan_line() const;

private:
    std::unique_ptr<JpegDecoderState> state_;
};
