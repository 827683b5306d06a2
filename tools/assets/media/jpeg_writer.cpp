#include "tools/assets/media/jpeg_writer.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

void set_sampling(jpeg_compress_struct& cinfo, JpegEncoding::Sampling sampling) {
    // Chroma stays at full resolution; only the luma factors decide the layout.
    for (int c = 1; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_component_info& luma = cinfo.comp_info[0];
    switch (sampling) {
        case JpegEncoding::Sampling::yuv420:
            luma.h_samp_factor = 2;
            luma.v_samp_factor = 2;
            break;
        case JpegEncoding::Sampling::yuv422:
            luma.h_samp_factor = 2;
            luma.v_samp_factor = 1;
            break;
        case JpegEncoding::Sampling::yuv444:
        case JpegEncoding::Sampling::grey:
            luma.h_samp_factor = 1;
            luma.v_samp_factor = 1;
            break;
    }
}

}  // namespace

std::string encode_jpeg(const cv::Mat& picture, const JpegEncoding& encoding) {
    const bool grey = encoding.sampling == JpegEncoding::Sampling::grey;
    if (picture.empty() || picture.depth() != CV_8U || picture.channels() != (grey ? 1 : 3)) return {};

    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(picture.cols);
    cinfo.image_height = static_cast<JDIMENSION>(picture.rows);
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, encoding.quality, TRUE);
    set_sampling(cinfo, encoding.sampling);
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.restart_in_rows = encoding.restart_rows;
    if (encoding.progressive) jpeg_simple_progression(&cinfo);

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(picture.ptr<unsigned char>(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}
