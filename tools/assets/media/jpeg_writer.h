#pragma once
// JPEG files for the pack, written through libjpeg's compressor so that each picture can carry
// its own encoding: the show's decoder must cope with every layout its pictures use.
#include <opencv2/core.hpp>

#include <string>

struct JpegEncoding {
    enum class Sampling { yuv420, yuv422, yuv444, grey };
    Sampling sampling = Sampling::yuv420;
    int quality = 90;
    bool progressive = false;
    int restart_rows = 0;  // MCU rows between restart markers; 0 writes none
};

// Encodes an 8-bit picture (CV_8UC3 in red, green, blue order, or CV_8UC1 for grey sampling);
// empty for any other picture. Output is byte-identical for identical input: no time stamps,
// fixed tables.
std::string encode_jpeg(const cv::Mat& picture, const JpegEncoding& encoding);
