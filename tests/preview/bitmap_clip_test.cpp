// A real frame: an MPEG-2 clip decoded by the program's DGDecode library into a Video source, built
// into a bitmap, must be what FFmpeg decodes of the same clip and converts by the studio-range formula
// written independently in ffmpeg_reference.cpp, as FFmpeg's bitmap reader reads the file.
#include "dgdecode_interface.h"
#include "ffmpeg_reference.h"
#include "input/video_source.h"
#include "preview/bitmap_image.h"
#include "test_clips.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using namespace qz;

// Fills the Video source's planes with frame `n` as the program's bridge does.
bool fetch_into(const dgtest::DgLibrary& lib, const DgVideoInfo& info, int n, input::VideoSource& video) {
    const unsigned char* frame = lib.get_frame(n);
    if (!frame || info.pixel_type != DG_PIXEL_TYPE_YV12) return false;
    const size_t luma = size_t(info.width) * size_t(info.height);
    std::memcpy(video.y.data(), frame, luma);
    std::memcpy(video.u.data(), frame + luma, luma / 4);
    std::memcpy(video.v.data(), frame + luma + luma / 4, luma / 4);
    video.width = info.width;
    video.height = info.height;
    return true;
}

TEST(BitmapOfAClip, EqualsFfmpegsDecodeConvertedByTheFormula) {
    testclip::ClipSpec spec;
    spec.path = "pal.m2v";
    spec.frames = 30;
    const dgtest::TestClip clip = dgtest::ensure_clip("preview_pal", spec);
    dgtest::DgLibrary lib;
    ASSERT_TRUE(lib.open && lib.get_frame);
    const DgVideoInfo* info = lib.open(clip.d2v.c_str());
    ASSERT_NE(info, nullptr);

    auto video = std::make_unique<input::VideoSource>();
    auto image = std::make_unique<preview::BitmapImage>();
    for (int n : {0, 13, 29}) {  // an I, a B and the last picture
        ASSERT_TRUE(fetch_into(lib, *info, n, *video));
        const previewtest::Yuv420 decoded = previewtest::decode_mpeg2_frame(clip.streams.at(0), n);
        ASSERT_EQ(decoded.width, 720);
        ASSERT_EQ(decoded.height, 576);
        const previewtest::Bgr expected = previewtest::convert_bt601_studio(decoded);
        for (int level : {0, 7}) {
            ASSERT_TRUE(image->build(preview::frame_view(*video), {}, level));
            const previewtest::Bgr read = previewtest::decode_bmp(image->bytes());
            ASSERT_EQ(read.width, 720);
            ASSERT_EQ(read.height, 576);
            EXPECT_TRUE(read.pixels == expected.pixels) << "frame " << n << " level " << level;
        }
    }
    lib.close();
}

}  // namespace
