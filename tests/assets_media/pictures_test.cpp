// The pictures of the pack: every file the scenes name exists, decodes with libjpeg-turbo and
// with the show's own decoder to the painted picture, the encodings cover the layouts the
// decoder must handle, tileable pictures wrap, the sky cube has no seams, and the title cards
// keep to their frame.
#include "render/texture_pixels.h"
#include "tools/assets/generators.h"
#include "tools/assets/media/picture_painting.h"
#include "tools/assets/media/pictures.h"
#include "tools/assets/pack.h"

#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>
#include <turbojpeg.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <unistd.h>

namespace {

// The picture files as the scenes and the loading screen spell them.
const char* const expected_names[] = {
    "textures/noise.jpg",
    "textures/blob41b.jpg",
    "textures/chessboard.jpg",
    "textures/paper.jpg",
    "textures/texturedblob.jpg",
    "textures/bg10.jpg",
    "textures/bg03.jpg",
    "textures/tile.jpg",
    "textures/cloudt3.jpg",
    "textures/theclouds.jpg",
    "textures/theclouds2.jpg",
    "textures/turtle.jpg",
    "textures/53.jpg",
    "textures/blood.jpg",
    "textures/yeolde.jpg",
    "textures/theloader3.jpg",
    "textures/P1.jpg",
    "textures/P2.jpg",
    "textures/P3.jpg",
    "textures/P4.jpg",
    "textures/P5.jpg",
    "textures/P6.jpg",
    "textures/1/1night_posx.jpg",
    "textures/1/1night_negx.jpg",
    "textures/1/1night_posy.jpg",
    "textures/1/1night_negy.jpg",
    "textures/1/1night_posz.jpg",
    "textures/1/1night_negz.jpg",
};

struct Decoded {
    cv::Mat pixels;  // RGB or grey, top row first
    int subsampling = -1;
};

Decoded decode_turbo(const std::string& bytes) {
    Decoded d;
    tjhandle handle = tjInitDecompress();
    int width = 0, height = 0, colourspace = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (tjDecompressHeader3(handle, data, bytes.size(), &width, &height, &d.subsampling, &colourspace) == 0) {
        const bool grey = d.subsampling == TJSAMP_GRAY;
        d.pixels.create(height, width, grey ? CV_8UC1 : CV_8UC3);
        if (tjDecompress2(handle, data, bytes.size(), d.pixels.data, width, 0, height,
                          grey ? TJPF_GRAY : TJPF_RGB, TJFLAG_ACCURATEDCT) != 0)
            d.pixels.release();
    }
    tjDestroy(handle);
    return d;
}

double psnr(const cv::Mat& a, const cv::Mat& b) {
    const double mse = cv::norm(a, b, cv::NORM_L2SQR) / static_cast<double>(a.total() * a.channels());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// The show decoder's bottom-up RGB buffer as a top-down picture.
cv::Mat top_down(const RgbImage& image) {
    cv::Mat flipped(image.height, image.width, CV_8UC3, const_cast<uint8_t*>(image.pixels.data()));
    cv::Mat picture;
    cv::flip(flipped, picture, 0);
    return picture;
}

class PicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // One folder per process: CTest runs the cases of this suite side by side.
        folder_ = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                            ("brinefall_media_pictures_" + std::to_string(getpid())));
        std::filesystem::create_directories(*folder_);
        entries_ = new std::vector<PictureEntry>(picture_entries());
        bytes_ = new std::map<std::string, std::string>;
        painted_ = new std::map<std::string, cv::Mat>;
        for (const PictureEntry& e : *entries_) {
            (*painted_)[e.name] = e.paint(e.variant);
            (*bytes_)[e.name] = encode_jpeg((*painted_)[e.name], e.encoding);
        }
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(*folder_);
        delete folder_;
        delete entries_;
        delete bytes_;
        delete painted_;
    }
    // Writes the picture into the scratch folder for the file-based show decoder.
    static std::string scratch_file(const std::string& name) {
        const std::filesystem::path path = *folder_ / std::filesystem::path(name).filename();
        std::ofstream(path, std::ios::binary) << bytes_->at(name);
        return path.string();
    }
    static std::filesystem::path* folder_;
    static std::vector<PictureEntry>* entries_;
    static std::map<std::string, std::string>* bytes_;
    static std::map<std::string, cv::Mat>* painted_;
};

std::filesystem::path* PicturesTest::folder_;
std::vector<PictureEntry>* PicturesTest::entries_;
std::map<std::string, std::string>* PicturesTest::bytes_;
std::map<std::string, cv::Mat>* PicturesTest::painted_;

TEST_F(PicturesTest, ManifestListsEveryPictureTheShowReads) {
    std::set<std::string> generated;
    for (const PictureEntry& e : *entries_)
        EXPECT_TRUE(generated.insert(e.name).second) << "twice: " << e.name;
    std::set<std::string> expected(std::begin(expected_names), std::end(expected_names));
    EXPECT_EQ(generated, expected);

    // The pack's listing mode names them without painting anything.
    testing::internal::CaptureStdout();
    Pack pack(*folder_ / "unused", true);
    add_pictures(pack);
    const std::string listing = testing::internal::GetCapturedStdout();
    EXPECT_EQ(pack.files(), static_cast<int>(expected.size()));
    for (const char* name : expected_names) EXPECT_NE(listing.find(name), std::string::npos) << name;
    EXPECT_FALSE(std::filesystem::exists(*folder_ / "unused"));
}

TEST_F(PicturesTest, EveryPictureDecodesToItsPaintingWithLibjpegTurboAndTheShowDecoder) {
    for (const PictureEntry& e : *entries_) {
        SCOPED_TRACE(e.name);
        const cv::Mat& painted = painted_->at(e.name);
        const Decoded turbo = decode_turbo(bytes_->at(e.name));
        ASSERT_FALSE(turbo.pixels.empty());
        ASSERT_EQ(turbo.pixels.size(), painted.size());
        EXPECT_GT(psnr(turbo.pixels, painted), 30.0);

        const JpegLoadResult own = load_jpeg_rgb(scratch_file(e.name).c_str());
        ASSERT_EQ(own.status, JpegLoadStatus::ok) << own.error_code;
        cv::Mat own_picture = top_down(own.image);
        cv::Mat turbo_rgb = turbo.pixels;
        if (turbo_rgb.channels() == 1) cv::cvtColor(turbo.pixels, turbo_rgb, cv::COLOR_GRAY2RGB);
        ASSERT_EQ(own_picture.size(), turbo_rgb.size());
        // The show's decoder follows the same accurate inverse DCT and smooth chroma upsampling
        // as libjpeg-turbo, so the two agree to the last bit (within one level of rounding).
        cv::Mat difference;
        cv::absdiff(own_picture, turbo_rgb, difference);
        double worst;
        cv::minMaxLoc(difference.reshape(1), nullptr, &worst);
        const double agreement = psnr(own_picture, turbo_rgb);
        RecordProperty(e.name + " decoders psnr", std::to_string(agreement));
        RecordProperty(e.name + " decoders worst", std::to_string(worst));
        EXPECT_GT(agreement, 50.0);
        EXPECT_LE(worst, 1.0);
    }
}

TEST_F(PicturesTest, EncodingsCoverEveryLayoutTheDecoderSupports) {
    std::set<int> layouts;
    int progressive = 0, restarts = 0;
    for (const PictureEntry& e : *entries_) {
        const std::string& bytes = bytes_->at(e.name);
        const int layout = decode_turbo(bytes).subsampling;
        layouts.insert(layout);
        // Frame and restart-interval markers, read from the file itself.
        const bool sof2 = bytes.find("\xFF\xC2", 0, 2) != std::string::npos;
        const bool dri = bytes.find("\xFF\xDD", 0, 2) != std::string::npos;
        EXPECT_EQ(sof2, e.encoding.progressive) << e.name;
        EXPECT_EQ(dri, e.encoding.restart_rows > 0) << e.name;
        progressive += sof2;
        restarts += dri;
        if (e.name == "textures/noise.jpg") {
            EXPECT_EQ(layout, TJSAMP_GRAY);
        }
    }
    EXPECT_EQ(layouts, (std::set<int>{TJSAMP_420, TJSAMP_422, TJSAMP_444, TJSAMP_GRAY}));
    EXPECT_GE(progressive, 2);
    EXPECT_GE(restarts, 1);
}

// Mean difference between the last and first column (or row), relative to the mean difference
// between neighbouring columns inside the picture: about 1 for a picture that wraps.
double wrap_ratio(const cv::Mat& picture, bool across) {
    cv::Mat p;
    picture.convertTo(p, CV_32F);
    if (!across) p = p.t();
    double inner = 0, seam = 0;
    for (int x = 0; x + 1 < p.cols; ++x) inner += cv::norm(p.col(x), p.col(x + 1), cv::NORM_L1);
    inner /= p.cols - 1;
    seam = cv::norm(p.col(p.cols - 1), p.col(0), cv::NORM_L1);
    return seam / inner;
}

TEST_F(PicturesTest, RepeatedPicturesTileWithoutASeam) {
    for (const char* name : {"textures/noise.jpg", "textures/paper.jpg", "textures/tile.jpg",
                             "textures/cloudt3.jpg", "textures/turtle.jpg"}) {
        const cv::Mat& p = painted_->at(name);
        EXPECT_LT(wrap_ratio(p, true), 1.6) << name;
        EXPECT_LT(wrap_ratio(p, false), 1.6) << name;
    }
    for (const char* name : {"textures/theclouds.jpg", "textures/theclouds2.jpg"})
        EXPECT_LT(wrap_ratio(painted_->at(name), true), 1.6) << name;
    // A picture with a hard edge in it shows what a seam looks like to this measure.
    cv::Mat step(64, 64, CV_8UC1, cv::Scalar(0));
    step.colRange(32, 64).setTo(200);
    EXPECT_GT(wrap_ratio(step, true), 10.0);
}

TEST_F(PicturesTest, ClampedPicturesFadeToBlackAtTheBorder) {
    for (const char* name : {"textures/blob41b.jpg", "textures/53.jpg", "textures/blood.jpg"}) {
        const cv::Mat& p = painted_->at(name);
        cv::Mat border = p.clone();
        border(cv::Rect(2, 2, p.cols - 4, p.rows - 4)).setTo(cv::Scalar::all(0));
        double brightest;
        cv::minMaxLoc(border.reshape(1), nullptr, &brightest);
        EXPECT_LE(brightest, 2.0) << name;
        double centre;
        cv::minMaxLoc(p.reshape(1), nullptr, &centre);
        EXPECT_GT(centre, 100.0) << name;
    }
}

// A cube-map lookup in the loader's face buffers (each the picture turned by 180°), following
// the GL's face selection and orientation.
cv::Vec3f cube_lookup(const std::vector<cv::Mat>& faces, cv::Vec3d d) {
    const double ax = std::abs(d[0]), ay = std::abs(d[1]), az = std::abs(d[2]);
    int face;
    double sc, tc, ma;
    if (ax >= ay && ax >= az) {
        face = d[0] > 0 ? 0 : 1;
        sc = d[0] > 0 ? -d[2] : d[2];
        tc = -d[1];
        ma = ax;
    } else if (ay >= az) {
        face = d[1] > 0 ? 2 : 3;
        sc = d[0];
        tc = d[1] > 0 ? d[2] : -d[2];
        ma = ay;
    } else {
        face = d[2] > 0 ? 4 : 5;
        sc = d[2] > 0 ? d[0] : -d[0];
        tc = -d[1];
        ma = az;
    }
    const cv::Mat& buffer = faces[static_cast<size_t>(face)];
    const int n = buffer.cols;
    const int s = std::clamp(static_cast<int>((sc / ma + 1) / 2 * n), 0, n - 1);
    const int t = std::clamp(static_cast<int>((tc / ma + 1) / 2 * n), 0, n - 1);
    const cv::Vec3b texel = buffer.at<cv::Vec3b>(t, s);  // buffer row t holds texel row t
    return {static_cast<float>(texel[0]), static_cast<float>(texel[1]), static_cast<float>(texel[2])};
}

TEST_F(PicturesTest, NightSkyFacesShareOneSizeAndMeetWithoutSeams) {
    std::vector<cv::Mat> faces;
    for (const char* name : night_sky_face_names()) {
        const JpegLoadResult face = load_jpeg_cube_face(scratch_file(name).c_str());
        ASSERT_EQ(face.status, JpegLoadStatus::ok) << name;
        EXPECT_EQ(face.image.width, sky_face_size) << name;
        EXPECT_EQ(face.image.height, sky_face_size) << name;
        faces.push_back(cv::Mat(face.image.height, face.image.width, CV_8UC3,
                                const_cast<uint8_t*>(face.image.pixels.data()))
                            .clone());
    }
    // Walk along all twelve cube edges: the colour just across an edge must be as close as the
    // colour one texel further inside the same face. Stars make single texels differ, so
    // compare the averages along each edge.
    const double step = 2.0 / sky_face_size;
    int edges = 0;
    for (int axis = 0; axis < 3; ++axis)
        for (int sa : {-1, 1})
            for (int sb : {-1, 1}) {
                double across = 0, inside = 0;
                for (int i = 1; i < 200; ++i) {
                    const double run = -0.99 + 1.98 * i / 200;
                    auto point = [&](double ea, double eb) {
                        cv::Vec3d d;
                        d[axis] = run;
                        d[(axis + 1) % 3] = sa * ea;
                        d[(axis + 2) % 3] = sb * eb;
                        return d;
                    };
                    const cv::Vec3f a = cube_lookup(faces, point(1, 1 - step / 2));
                    const cv::Vec3f b = cube_lookup(faces, point(1 - step / 2, 1));
                    const cv::Vec3f c = cube_lookup(faces, point(1, 1 - 2.5 * step));
                    across += cv::norm(a - b, cv::NORM_L1);
                    inside += cv::norm(a - c, cv::NORM_L1);
                }
                EXPECT_LT(across, 2.0 * inside + 200.0) << "axis " << axis << " " << sa << " " << sb;
                ++edges;
            }
    EXPECT_EQ(edges, 12);
}

TEST_F(PicturesTest, TitleCardsAreWhiteWordsOnBlackInsideTheirFrame) {
    for (int card = 1; card <= 6; ++card) {
        const std::string name = "textures/P" + std::to_string(card) + ".jpg";
        SCOPED_TRACE(name);
        cv::Mat grey;
        cv::cvtColor(painted_->at(name), grey, cv::COLOR_RGB2GRAY);
        cv::Mat ink;
        cv::compare(grey, 128, ink, cv::CMP_GT);
        ASSERT_GT(cv::countNonZero(ink), 2000);
        const cv::Rect box = cv::boundingRect(ink);
        EXPECT_GT(box.x, 0);
        EXPECT_LT(box.x + box.width, grey.cols);
        // Overlays 1 and 3 (cards 2 and 4) sit on a black band 0.2 of the half-height high.
        if (card == 2 || card == 4) {
            EXPECT_GE(box.y, grey.rows * 0.4);
            EXPECT_LE(box.y + box.height, grey.rows * 0.6);
        }
        // White, not tinted.
        const cv::Scalar mean = cv::mean(painted_->at(name), ink);
        EXPECT_NEAR(mean[0], mean[2], 2.0);
    }
}

TEST(JpegWriter, RefusesPicturesItCannotLayOut) {
    const JpegEncoding colour{}, grey{JpegEncoding::Sampling::grey};
    EXPECT_TRUE(encode_jpeg(cv::Mat(), colour).empty());
    EXPECT_TRUE(encode_jpeg(cv::Mat(8, 8, CV_8UC4, cv::Scalar::all(9)), colour).empty());
    EXPECT_TRUE(encode_jpeg(cv::Mat(8, 8, CV_8UC3, cv::Scalar::all(9)), grey).empty());
    EXPECT_TRUE(encode_jpeg(cv::Mat(8, 8, CV_16UC3, cv::Scalar::all(9)), colour).empty());
    // A view into a larger picture (rows not contiguous) encodes like a copy of it.
    cv::Mat big(64, 64, CV_8UC3);
    cv::randu(big, 0, 255);
    const cv::Mat view = big(cv::Rect(5, 7, 33, 21));
    EXPECT_EQ(encode_jpeg(view, colour), encode_jpeg(view.clone(), colour));
    EXPECT_EQ(decode_turbo(encode_jpeg(view, colour)).pixels.size(), cv::Size(33, 21));
}

TEST_F(PicturesTest, PaintingAndEncodingRepeatByteForByte) {
    for (const PictureEntry& e : *entries_)
        EXPECT_EQ(encode_jpeg(e.paint(e.variant), e.encoding), bytes_->at(e.name)) << e.name;
}

}  // namespace
