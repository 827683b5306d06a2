// Marker parsing and the error code of every refused header.
#include <gtest/gtest.h>

#include "tests/jpeg/jpeg_test_images.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

const std::string soi = bytes({0xFF, 0xD8});

// A DQT with table 0 of all ones, and a frame header with the given fields.
std::string dqt() {
    std::string s = bytes({0xFF, 0xDB, 0x00, 67, 0x00});
    s.append(64, '\x01');
    return s;
}

struct FrameComponent {
    int id, sampling, quant;
};

std::string sof(int type, int precision, int height, int width, std::vector<FrameComponent> components,
                int length_delta = 0) {
    const int length = 8 + 3 * static_cast<int>(components.size()) + length_delta;
    std::string s = bytes({0xFF, type, length >> 8, length & 255, precision, height >> 8, height & 255,
                           width >> 8, width & 255, static_cast<int>(components.size())});
    for (const FrameComponent& c : components) s += bytes({c.id, c.sampling, c.quant});
    return s;
}

const std::vector<FrameComponent> kGrey = {{1, 0x11, 0}};
const std::vector<FrameComponent> colour420 = {{1, 0x22, 0}, {2, 0x11, 0}, {3, 0x11, 0}};

int construct(const std::string& file) {
    DecoderOver d(file);
    return d.decoder.error_code();
}

int begin(const std::string& file) {
    DecoderOver d(file);
    if (d.decoder.error_code() != 0) return d.decoder.error_code();
    EXPECT_EQ(d.decoder.begin_decoding(), -1);
    return d.decoder.error_code();
}

// A real 4:2:0 file to patch.
const std::string& baseline() {
    static const std::string file = [] {
        EncodeOptions o;
        o.width = 40;
        o.height = 24;
        return encode_test_jpeg(o);
    }();
    return file;
}

std::string patched(std::string file, size_t offset, int value) {
    file[offset] = static_cast<char>(value);
    return file;
}

// A 16x16 grey progressive file: five scans of one component.
std::string progressive_grey() {
    EncodeOptions o;
    o.width = o.height = 16;
    o.components = 1;
    o.progressive = true;
    return encode_test_jpeg(o);
}

class StreamFailingAfter : public jpeg_decoder_stream {
public:
    StreamFailingAfter(std::string bytes, size_t good) : bytes_(std::move(bytes)), good_(good) {}
    int read(uint8_t* buffer, int max_bytes, bool&) override {
        if (position_ >= good_) return -1;
        const size_t count = std::min<size_t>(max_bytes, good_ - position_);
        std::copy_n(bytes_.data() + position_, count, buffer);
        position_ += count;
        return static_cast<int>(count);
    }

private:
    std::string bytes_;
    size_t good_;
    size_t position_ = 0;
};

}  // namespace

TEST(JpegMarkers, StartOfImageMustBeInFirst512Bytes) {
    EXPECT_EQ(construct(""), JPGD_NOT_JPEG);
    EXPECT_EQ(construct(bytes({0xFF})), JPGD_NOT_JPEG);
    EXPECT_EQ(construct("just some text, no image"), JPGD_NOT_JPEG);
    EXPECT_EQ(construct(std::string(511, 'x') + baseline()), 0);
    EXPECT_EQ(construct(std::string(512, 'x') + baseline()), JPGD_NOT_JPEG);
}

TEST(JpegMarkers, FrameTypes) {
    const std::string tables = soi + dqt();
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, kGrey)), 0);
    EXPECT_EQ(construct(tables + sof(0xC1, 8, 8, 8, kGrey)), 0);
    EXPECT_EQ(construct(tables + sof(0xC2, 8, 8, 8, kGrey)), 0);
    EXPECT_EQ(construct(tables + sof(0xC9, 8, 8, 8, kGrey)), JPGD_NO_ARITHMETIC_SUPPORT);
    EXPECT_EQ(construct(tables + bytes({0xFF, 0xCC, 0x00, 0x04, 0x00, 0x00}) + sof(0xC0, 8, 8, 8, kGrey)),
              JPGD_NO_ARITHMETIC_SUPPORT);
    for (int type : {0xC3, 0xC5, 0xC6, 0xC7, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF})
        EXPECT_EQ(construct(tables + sof(type, 8, 8, 8, kGrey)), JPGD_UNSUPPORTED_MARKER) << type;
}

TEST(JpegMarkers, FrameLimits) {
    const std::string tables = soi + dqt();
    EXPECT_EQ(construct(tables + sof(0xC0, 12, 8, 8, kGrey)), JPGD_BAD_PRECISION);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 0, 8, kGrey)), JPGD_BAD_HEIGHT);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8193, 8, kGrey)), JPGD_BAD_HEIGHT);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 0, kGrey)), JPGD_BAD_WIDTH);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8193, kGrey)), JPGD_BAD_WIDTH);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8192, 8192, kGrey)), 0);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8,
                                     {{1, 0x11, 0}, {2, 0x11, 0}, {3, 0x11, 0}, {4, 0x11, 0}, {5, 0x11, 0}})),
              JPGD_TOO_MANY_COMPONENTS);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, kGrey, 1)), JPGD_BAD_SOF_LENGTH);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, kGrey, -3)), JPGD_BAD_SOF_LENGTH);
}

TEST(JpegMarkers, ColourSpacesAndSampling) {
    const std::string tables = soi + dqt();
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {{1, 0x11, 0}, {2, 0x11, 0}})),
              JPGD_UNSUPPORTED_COLORSPACE);
    EXPECT_EQ(
        construct(tables + sof(0xC0, 8, 8, 8, {{1, 0x11, 0}, {2, 0x11, 0}, {3, 0x11, 0}, {4, 0x11, 0}})),
        JPGD_UNSUPPORTED_COLORSPACE);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {})), JPGD_UNSUPPORTED_COLORSPACE);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {{1, 0x22, 0}, {2, 0x21, 0}, {3, 0x11, 0}})),
              JPGD_UNSUPPORTED_COLORSPACE);
    for (int luma : {0x11, 0x21, 0x12, 0x22})
        EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {{1, luma, 0}, {2, 0x11, 0}, {3, 0x11, 0}})), 0)
            << luma;
    for (int luma : {0x41, 0x14, 0x31, 0x33, 0x44, 0x00, 0x10, 0x01, 0xF1, 0x1F})
        EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {{1, luma, 0}, {2, 0x11, 0}, {3, 0x11, 0}})),
                  JPGD_UNSUPPORTED_SAMP_FACTORS)
            << luma;
    // A lone component is one block per MCU whatever it declares, within the legal 1..4.
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {{1, 0x44, 0}})), 0);
    EXPECT_EQ(construct(tables + sof(0xC0, 8, 8, 8, {{1, 0x05, 0}})), JPGD_UNSUPPORTED_SAMP_FACTORS);

    EncodeOptions o;
    o.luma_h = 4;  // 4:1:1, made by libjpeg
    o.luma_v = 1;
    EXPECT_EQ(construct(encode_test_jpeg(o)), JPGD_UNSUPPORTED_SAMP_FACTORS);
}

TEST(JpegMarkers, TableSegments) {
    const std::string frame = sof(0xC0, 8, 8, 8, kGrey);
    std::string dht = bytes({0xFF, 0xC4, 0x00, 20, 0x00});
    dht += bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00});
    EXPECT_EQ(construct(soi + dht + frame), 0);
    std::string too_many = bytes({0xFF, 0xC4, 0x01, 0x13, 0x00});
    too_many += std::string(16, '\x10') + std::string(256, '\x00');  // 16 x 16 = 256 codes
    EXPECT_EQ(construct(soi + too_many + frame), JPGD_BAD_DHT_COUNTS);
    EXPECT_EQ(construct(soi + patched(dht, 4, 0x20) + frame), JPGD_BAD_DHT_INDEX);
    EXPECT_EQ(construct(soi + patched(dht, 4, 0x04) + frame), JPGD_BAD_DHT_INDEX);
    EXPECT_EQ(construct(soi + patched(dht, 4, 0x13) + frame), 0);
    EXPECT_EQ(construct(soi + bytes({0xFF, 0xC4, 0x00, 0x01}) + frame), JPGD_BAD_DHT_MARKER);
    EXPECT_EQ(construct(soi + patched(dht, 3, 19) + frame), JPGD_BAD_DHT_MARKER);  // symbol cut off

    EXPECT_EQ(construct(soi + bytes({0xFF, 0xDB, 0x00, 0x01}) + frame), JPGD_BAD_DQT_MARKER);
    EXPECT_EQ(construct(soi + patched(dqt(), 3, 66) + frame), JPGD_BAD_DQT_LENGTH);
    EXPECT_EQ(construct(soi + patched(dqt(), 4, 0x10) + frame), JPGD_BAD_DQT_LENGTH);  // 16-bit needs 129
    EXPECT_EQ(construct(soi + patched(dqt(), 4, 0x04) + frame), JPGD_BAD_DQT_TABLE);
    EXPECT_EQ(construct(soi + patched(dqt(), 4, 0x20) + frame), JPGD_BAD_DQT_TABLE);
    std::string wide = bytes({0xFF, 0xDB, 0x00, 131, 0x13});
    wide.append(128, '\x7F');
    EXPECT_EQ(construct(soi + wide + frame), 0);

    EXPECT_EQ(construct(soi + bytes({0xFF, 0xDD, 0x00, 0x04, 0x00, 0x02}) + frame), 0);
    EXPECT_EQ(construct(soi + bytes({0xFF, 0xDD, 0x00, 0x05, 0x00, 0x02, 0x00}) + frame),
              JPGD_BAD_DRI_LENGTH);
}

TEST(JpegMarkers, OtherSegmentsAreSkippedOrRefused) {
    const std::string frame = sof(0xC0, 8, 8, 8, kGrey);
    EXPECT_EQ(
        construct(soi + bytes({0xFF, 0xE1, 0x00, 0x05, 1, 2, 3}) + bytes({0xFF, 0xFE, 0x00, 0x02}) + frame),
        0);
    EXPECT_EQ(construct(soi + bytes({0xFF, 0xE1, 0x00, 0x01}) + frame), JPGD_BAD_VARIABLE_MARKER);
    EXPECT_EQ(construct(soi + bytes({0xFF, 0xD9})), JPGD_UNEXPECTED_MARKER);
    EXPECT_EQ(construct(soi + bytes({0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 63, 0}) + frame),
              JPGD_UNEXPECTED_MARKER);
    EXPECT_EQ(construct(soi + bytes({0xFF, 0xD0}) + frame), JPGD_UNEXPECTED_MARKER);
    EXPECT_EQ(construct(soi), JPGD_UNEXPECTED_MARKER);  // the file ends before its frame
}

TEST(JpegMarkers, ScanHeaders) {
    const std::string& file = baseline();
    const size_t sos = find_marker(file, 0xDA);
    ASSERT_NE(sos, std::string::npos);
    EXPECT_EQ(begin(patched(file, sos + 4, 5)), JPGD_BAD_SOS_LENGTH);
    EXPECT_EQ(begin(patched(file, sos + 4, 0)), JPGD_BAD_SOS_LENGTH);
    EXPECT_EQ(begin(patched(file, sos + 3, file[sos + 3] + 1)), JPGD_BAD_SOS_LENGTH);
    EXPECT_EQ(begin(patched(file, sos + 5, 9)), JPGD_BAD_SOS_COMP_ID);
    EXPECT_EQ(begin(patched(file, sos + 7, file[sos + 5])), JPGD_BAD_SOS_COMP_ID);  // named twice
    EXPECT_EQ(begin(patched(file, sos + 6, 0x22)), JPGD_UNDEFINED_HUFF_TABLE);
    EXPECT_EQ(begin(patched(file, sos + 6, 0x08)), JPGD_UNDEFINED_HUFF_TABLE);
    const size_t frame = find_marker(file, 0xC0);
    EXPECT_EQ(begin(patched(file, frame + 12, 2)), JPGD_UNDEFINED_QUANT_TABLE);
    EXPECT_EQ(begin(patched(file, frame + 12, 7)), JPGD_UNDEFINED_QUANT_TABLE);
    // The frame is fine, but the image ends before any scan.
    EXPECT_EQ(begin(file.substr(0, sos) + bytes({0xFF, 0xD9})), JPGD_UNEXPECTED_MARKER);
}

TEST(JpegMarkers, ProgressiveScanParameters) {
    const std::string file = progressive_grey();
    const size_t sos = find_marker(file, 0xDA);  // the DC scan: 1 component, Ss Se Ah/Al at +7..+9
    ASSERT_EQ(file[sos + 4], 1);
    EXPECT_EQ(begin(patched(file, sos + 8, 5)), JPGD_BAD_SOS_SPECTRAL);
    EXPECT_EQ(begin(patched(patched(file, sos + 7, 1), sos + 8, 0)), JPGD_BAD_SOS_SPECTRAL);
    EXPECT_EQ(begin(patched(patched(file, sos + 7, 1), sos + 8, 64)), JPGD_BAD_SOS_SPECTRAL);
    EXPECT_EQ(begin(patched(file, sos + 9, 0x20)), JPGD_BAD_SOS_SUCCESSIVE);
    EXPECT_EQ(begin(patched(file, sos + 9, 0x0E)), JPGD_BAD_SOS_SUCCESSIVE);
}

TEST(JpegMarkers, StreamReadError) {
    const std::string& file = baseline();
    StreamFailingAfter early(file, 0);
    EXPECT_EQ(jpeg_decoder(&early, true).error_code(), JPGD_STREAM_READ);
    StreamFailingAfter late(file, file.size() / 2);
    jpeg_decoder decoder(&late, true);
    ASSERT_EQ(decoder.error_code(), 0);
    // Decoding runs into the failing read somewhere; from then on every call reports it.
    int result = decoder.begin_decoding();
    for (int y = 0; result == 0 && y < decoder.height(); ++y) {
        const void* line;
        unsigned length;
        result = decoder.decode(&line, &length);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(decoder.error_code(), JPGD_STREAM_READ);
    EXPECT_EQ(decoder.begin_decoding(), -1);
}

TEST(JpegMarkers, CoefficientIndexPast63IsCorrupt) {
    // An 8x8 grey image by hand: DC table {0: "0"}, AC table {0xF1: "00", EOB: "01"}. After the
    // DC, four (run 15, size 1) codes step to index 16, 32, 48 and then 64.
    std::string file = soi + dqt() + sof(0xC0, 8, 8, 8, kGrey);
    file += bytes({0xFF, 0xC4, 0x00, 20, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00});
    file += bytes({0xFF, 0xC4, 0x00, 21, 0x10, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF1, 0x00});
    file += bytes({0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
    const std::string good = file + bytes({0b00010010, 0b01011111, 0xFF, 0xD9});  // 3 steps, then EOB
    const std::string bad = file + bytes({0b00010010, 0b01001111, 0xFF, 0xD9});
    EXPECT_EQ(decode_with_show_decoder(good).error, 0);
    EXPECT_EQ(decode_with_show_decoder(bad).error, JPGD_DECODE_ERROR);
}

TEST(JpegMarkers, TooManyProgressiveScans) {
    // Refinement scans of the DC bit, each one byte of data for the four blocks.
    const std::string file = progressive_grey();
    int scans = 0;
    for (size_t at = find_marker(file, 0xDA); at != std::string::npos; at = find_marker(file, 0xDA, at + 2))
        ++scans;
    const std::string body = file.substr(0, file.size() - 2);
    const std::string refine = bytes({0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10, 0x00});
    std::string at_limit = body, over_limit = body;
    for (int i = scans; i < 1000; ++i) at_limit += refine;
    over_limit = at_limit + refine;
    const DecodedImage ok = decode_with_show_decoder(at_limit + bytes({0xFF, 0xD9}));
    EXPECT_EQ(ok.error, 0);
    EXPECT_EQ(ok.height, 16);
    EXPECT_EQ(decode_with_show_decoder(over_limit + bytes({0xFF, 0xD9})).error, JPGD_DECODE_ERROR);
}

TEST(JpegMarkers, BeginDecodingTwiceDoesNotRestart) {
    DecoderOver d(baseline());
    const void* line;
    unsigned length;
    ASSERT_EQ(d.decoder.begin_decoding(), 0);
    ASSERT_EQ(d.decoder.decode(&line, &length), 0);
    EXPECT_EQ(d.decoder.begin_decoding(), 0);
    ASSERT_EQ(d.decoder.decode(&line, &length), 0);
    // The second line came out, not the first again.
    const DecodedImage whole = decode_with_show_decoder(baseline());
    const auto* p = static_cast<const uint8_t*>(line);
    for (int x = 0; x < 40; ++x) {
        for (int c = 0; c < 3; ++c) ASSERT_EQ(p[x * 4 + c], whole.pixels[(40 + x) * 3 + c]);
    }
}

TEST(JpegMarkers, DecodeAfterAFailedConstructionReportsTheError) {
    DecoderOver d(soi + dqt() + sof(0xC0, 12, 8, 8, kGrey));
    const void* line = &line;
    unsigned length = 7;
    EXPECT_EQ(d.decoder.begin_decoding(), -1);
    EXPECT_EQ(d.decoder.decode(&line, &length), -1);
    EXPECT_EQ(line, nullptr);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(d.decoder.error_code(), JPGD_BAD_PRECISION);
}
