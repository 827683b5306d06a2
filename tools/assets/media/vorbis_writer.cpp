#include "tools/assets/media/vorbis_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

void append_page(std::string& bytes, const ogg_page& page) {
    bytes.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    bytes.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
}

}  // namespace

std::string encode_vorbis(const StereoBuffer& music) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, sample_rate, vorbis_quality)) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Brinefall");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, ogg_serial);

    std::string bytes;
    ogg_page page;
    ogg_packet packet;
    {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream, &identification);
        ogg_stream_packetin(&stream, &comments);
        ogg_stream_packetin(&stream, &codebooks);
        // The audio starts on a fresh page, as decoders expect.
        while (ogg_stream_flush(&stream, &page)) append_page(bytes, page);
    }

    constexpr size_t kChunk = 4096;
    size_t done = 0;
    bool finished = false;
    while (!finished) {
        const size_t n = std::min(kChunk, music.frames() - done);
        if (n == 0) {
            vorbis_analysis_wrote(&dsp, 0);  // end of stream
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            std::copy_n(music.left.begin() + static_cast<long>(done), n, buffer[0]);
            std::copy_n(music.right.begin() + static_cast<long>(done), n, buffer[1]);
            vorbis_analysis_wrote(&dsp, static_cast<int>(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) {
                    append_page(bytes, page);
                    if (ogg_page_eos(&page)) finished = true;
                }
            }
        }
        if (n == 0) finished = true;
    }
    while (ogg_stream_flush(&stream, &page)) append_page(bytes, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return bytes;
}
