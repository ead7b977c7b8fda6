// The Settings record: what the last settings-file load found, one given mark per keyword, the file
// names, the three frame lists, the custom matrix pair and the values that have no control of their
// own. The page controls are the working copy of most options; this record is what a load fills
// before those values are applied to the pages.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qz::settings {

// Keyword numbers; they index the given marks. 19, 20, 24, 46 and 64 are unused.
enum Keyword : int {
    kInfile = 1,
    kOutfile = 2,
    kFrames = 3,
    kOnePass = 4,
    kCq = 5,
    kBitrate = 6,
    kMaxBitrate = 7,
    kPreview = 8,
    kProfile = 9,
    kAspect = 10,
    kCqMaxBitrate = 11,
    kLogfile = 12,
    kMinBrFac = 13,
    kLastIFrame = 14,
    kCqPFactor = 15,
    kCqBFactor = 16,
    kAdaptiveMatrix = 17,
    kPulldown = 18,
    kCpu = 21,
    kGop = 22,
    kDcPrec = 23,
    kTimecode = 25,
    kMatrix = 26,
    kCustomMatrix = 27,
    kBias = 28,
    kClosedGops = 29,
    kNoVbv = 30,
    kNoScd = 31,
    kChapter = 32,
    kChromaFormat = 33,
    kMaskShift = 34,
    kTff = 35,
    kBff = 36,
    kWait = 37,
    kNoSeqEndcode = 38,
    kShutdown = 39,
    kAutoGop = 40,
    kZone = 41,
    kLumGain = 42,
    kSilent = 43,
    kScdFile = 44,
    kAvsMemory = 45,
    kB3 = 47,
    kProgressive = 48,
    kInterlaced = 49,
    kDvSource = 50,
    kPriority = 51,
    kMpegLevel = 52,
    kDbPath = 53,
    kFrameLog = 54,
    kNoSmp = 55,
    kColour = 56,
    kLossless = 57,
    kAq = 58,
    kLlPath = 59,
    kPanScan = 60,
    kIntraVlc = 61,
    kChromaDownsample = 62,
    kDeadZone = 63,
    kProgSeq = 65,
};

inline constexpr int kGivenMarkCount = 128;
inline constexpr int kMaxPathLength = 512;
inline constexpr int kChapterCapacity = 640000;
inline constexpr int kZoneCapacity = 6400;
inline constexpr int kPanScanCapacity = 6400;

struct Zone {
    int32_t start_frame = 0;
    float factor = 0.0f;
};

struct PanScanEntry {
    int32_t frame = 0;
    int32_t offset = 0;  // horizontal offset
};

struct ChapterList {
    int32_t count = 0;
    std::array<int32_t, kChapterCapacity> frames{};  // frames[0 .. count-1]; the rest hold 0
};

struct ZoneList {
    int32_t count = 0;
    std::array<Zone, kZoneCapacity> zones{};
};

struct PanScanList {
    int32_t display_width = 0;
    int32_t display_height = 0;
    int32_t count = 0;
    bool on = false;
    std::array<PanScanEntry, kPanScanCapacity> entries{};
};

struct MatrixPair {
    std::array<int32_t, 64> intra{};      // row-major
    std::array<int32_t, 64> non_intra{};  // row-major
};

// The option values as the reader stores them (Part of the record; the pages hold the working copy).
struct OptionValues {
    int32_t first_frame = 0, last_frame = 0;  // *FRAMES
    int32_t frames_to_encode = 0;             // last frame - first frame + 1
    float cq = 0.0f;                          // *CQ and *CQ_MAXBITRATE quantiser
    bool cq_max_bitrate = false;              // the quantiser came from *CQ_MAXBITRATE
    int32_t bitrate = 4000;
    int32_t max_bitrate = 8000;
    int32_t profile = 2;          // 1 Fast, 2 Normal, 4 Best
    int32_t aspect = 3;           // 1 1:1, 2 4:3, 3 16:9, 4 2.21:1, 5 4:3 pan-scan
    float min_br_factor = 1.0f;
    float cq_p_factor = 1.0f;
    float cq_b_factor = 1.0f;
    int32_t cpu = 0;              // 0 auto .. 7 AVX2
    int32_t gop_length = 15, gop_b_frames = 2;
    bool automatic_gop = true;    // cleared by *GOP, set by *AUTOGOP: the later line wins
    int32_t dc_precision = 9;
    std::array<int32_t, 4> timecode{};  // h m s f
    int32_t bias = 0;
    int32_t chroma_format = 1;    // 1 4:2:0, 2 4:2:2, 3 4:4:4
    int32_t mask_top = 0, mask_bottom = 0, mask_shift = 0;
    int32_t wait_seconds = 5;
    int32_t autogop = 15;
    int32_t luminance_gain = 0;
    int32_t avs_memory_mb = 0;
    int32_t priority = 0;         // 0 idle .. 3 high
    int32_t mpeg_level = 0;       // 0 auto, 1 MP@ML, 2 MP@H-14, 3 MP@HL
    int32_t colour = 0;           // colorimetry code
    int32_t aq = 2;
    int32_t intra_vlc = 2;        // 0 TABLE 14, 1 TABLE 15, 2 AUTO
    int32_t chroma_downsample = 0;  // 0 progressive, 1 interlaced
    int32_t dead_zone_intra = 2, dead_zone_non_intra = 2;
    bool multiprocessing = false; // SMP; from the processor count, cleared by *NOSMP
    bool one_pass_vbr = false;
    bool psnr = false;
};

struct Settings {
    std::array<bool, kGivenMarkCount> given{};

    bool is_given(Keyword k) const { return given[static_cast<size_t>(k)]; }
    void set_given(Keyword k, bool on = true) { given[static_cast<size_t>(k)] = on; }
    void clear_given() { given.fill(false); }

    // File names (at most 512 characters each).
    std::string input_file;
    std::string output_file;
    std::string log_file;
    std::string db_path;
    std::string ll_path;
    std::string default_settings_path;  // program folder + "QZ.ini"
    std::string user_settings_path;     // chosen in the load/save ini file dialogs

    bool input_exists = false, output_exists = false, log_exists = false;
    bool input_valid = false;
    bool output_chosen = false;
    bool write_completed = false;

    OptionValues values;

    ChapterList chapters;
    ZoneList zones;
    PanScanList panscan;

    MatrixPair custom_matrix;
    int32_t matrix_number = 1;  // 0 custom, 1..18 built in, 99 MPEG standard
    int32_t max_b_frames = 2;   // 3 with *B3
};

}  // namespace qz::settings
