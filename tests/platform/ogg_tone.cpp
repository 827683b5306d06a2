#include "tests/platform/ogg_tone.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

void append_page(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header), page.header_len);
    out.append(reinterpret_cast<const char*>(page.body), page.body_len);
}

}  // namespace

std::string encode_ogg_tone(int rate, int channels, double seconds, double frequency, double amplitude) {
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, channels, rate, 0.6f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::string out;
    ogg_page page;
    ogg_packet header, header_comment, header_code;
    vorbis_analysis_headerout(&dsp, &comment, &header, &header_comment, &header_code);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &header_comment);
    ogg_stream_packetin(&stream, &header_code);
    while (ogg_stream_flush(&stream, &page)) append_page(out, page);

    const long total = std::lround(seconds * rate);
    constexpr long kChunk = 1024;
    for (long start = 0;; start += kChunk) {
        const long count = std::clamp(total - start, 0L, kChunk);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, count);
            for (long i = 0; i < count; ++i) {
                const double t = static_cast<double>(start + i) / rate;
                const auto value =
                    static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * t));
                for (int c = 0; c < channels; ++c) buffer[c][i] = value;
            }
        }
        vorbis_analysis_wrote(&dsp, count);  // 0 marks the end of the stream
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) append_page(out, page);
            }
        }
        if (count == 0) break;
    }
    while (ogg_stream_flush(&stream, &page)) append_page(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}
