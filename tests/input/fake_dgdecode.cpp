// A fake DGDecode library for the bridge's tests. What it reports is set through environment
// variables read at every call, so the settings survive the bridge unloading and reloading it:
//   FAKE_DG_OPEN_FAILS      openMPEG2Source returns null (getLastErrorText says why)
//   FAKE_DG_FRAME_FAILS     getFrame returns null
//   FAKE_DG_WIDTH, FAKE_DG_HEIGHT, FAKE_DG_FRAMES, FAKE_DG_NUM, FAKE_DG_DEN, FAKE_DG_PIXEL
// Frame n: luma sample (x, y) = (n + x + 3y) mod 256; chroma row r of U holds 2r mod 256, of V
// 255 - r; the chroma planes are width/2 x height/2, or width/2 x height for the YUY2 pixel type.
// Built once with closeVideo and once without (FAKE_DG_WITHOUT_CLOSE).
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Info {
    int width, height;
    unsigned fps_numerator, fps_denominator;
    int num_frames, pixel_type;
    int audio_samples_per_second, sample_type;
    int64_t num_audio_samples;
    int nchannels, image_type;
};

long setting(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 0) : fallback;
}

Info info;
std::vector<unsigned char> frame;
const char* last_error = "";

}  // namespace

extern "C" {

__attribute__((visibility("default"))) const Info* openMPEG2Source(const char*) {
    if (setting("FAKE_DG_OPEN_FAILS", 0)) {
        last_error = "fake: the project names no readable MPEG file";
        return nullptr;
    }
    last_error = "";
    info = Info{};
    info.width = int(setting("FAKE_DG_WIDTH", 720));
    info.height = int(setting("FAKE_DG_HEIGHT", 576));
    info.fps_numerator = unsigned(setting("FAKE_DG_NUM", 25));
    info.fps_denominator = unsigned(setting("FAKE_DG_DEN", 1));
    info.num_frames = int(setting("FAKE_DG_FRAMES", 100));
    info.pixel_type = int(setting("FAKE_DG_PIXEL", long(0xA0000008u)));
    return &info;
}

__attribute__((visibility("default"))) const unsigned char* getFrame(int n) {
    if (setting("FAKE_DG_FRAME_FAILS", 0)) {
        last_error = "fake: picture damaged";
        return nullptr;
    }
    if (info.width <= 0 || info.height <= 0) return nullptr;
    const size_t w = size_t(info.width), h = size_t(info.height);
    const size_t chroma_rows = info.pixel_type == int(0x60000004u) ? h : h / 2;
    const size_t chroma = (w / 2) * chroma_rows;
    frame.resize(w * h + 2 * chroma);
    for (size_t y = 0; y < h; ++y)
        for (size_t x = 0; x < w; ++x) frame[y * w + x] = (unsigned char)((size_t(n) + x + 3 * y) & 0xFF);
    unsigned char* u = frame.data() + w * h;
    unsigned char* v = u + chroma;
    for (size_t r = 0; r < chroma_rows; ++r)
        for (size_t x = 0; x < w / 2; ++x) {
            u[r * (w / 2) + x] = (unsigned char)((2 * r) & 0xFF);
            v[r * (w / 2) + x] = (unsigned char)(255 - (r & 0xFF));
        }
    return frame.data();
}

#ifndef FAKE_DG_WITHOUT_CLOSE
__attribute__((visibility("default"))) void closeVideo() { info = Info{}; }
#endif

__attribute__((visibility("default"))) const char* getLastErrorText() { return last_error; }

}  // extern "C"
