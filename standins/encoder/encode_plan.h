// The encode as the settings file asks for it, decided once before the first frame: every keyword
// either becomes a setting of the stream (and a line of "settings used"), or is named in the log as
// one this encoder cannot honour. Pure: the Settings record and the input's format in, a plan out.
#pragma once

#include "frame_source.h"
#include "picture_ops.h"
#include "planes.h"
#include "settings/settings_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qz::encoder {

enum class RateMode {
    TwoPass,            // variable bitrate in two passes (the default)
    OnePass,            // *1PASS
    ConstantQuantiser,  // *CQ: a fixed quantiser per picture type, no bitrate limit
    CappedQuantiser,    // *CQ_MAXBITRATE: the quantiser as the finest allowed, the VBV caps the rate
};

// MPEG-2 profile and level codes as the stream carries them (profile_and_level_indication parts).
enum class Level { Main = 8, High1440 = 6, High = 4 };

struct ZoneSpan {
    int first = 0, last = 0;  // encoded frame indices, inclusive
    float factor = 1.0f;      // bitrate factor
};

struct PanScanSpan {
    int first = 0;       // encoded frame index from which the offset holds
    int16_t offset = 0;  // frame_centre_horizontal_offset, 1/16 pixel
};

struct EncodePlan {
    // Files.
    std::string input, output, log;
    std::string frame_log, scd_file;  // empty when not asked for
    // Frames: source frames first_frame .. first_frame + frame_count - 1.
    int first_frame = 0, frame_count = 0;

    // Picture.
    int width = 0, height = 0;
    uint32_t rate_numerator = 25, rate_denominator = 1;
    Chroma source_chroma = Chroma::k420, chroma = Chroma::k420;
    bool interlaced = false;            // field-aware coding (interlaced DCT and motion estimation)
    bool top_field_first = true;
    bool progressive_sequence = false;  // the sequence extension's flag
    bool pulldown = false;              // soft 3:2: the stream is patched to play at 30000/1001
    bool field_chroma = false;          // chroma conversions within fields
    MaskShift mask;
    int aspect_code = 3;                // 1 square pixels, 2 4:3, 3 16:9, 4 2.21:1
    bool panscan = false;
    int panscan_width = 0, panscan_height = 0;
    std::vector<PanScanSpan> panscan_offsets;
    int dc_precision_bits = 9;
    int intra_vlc = 1;
    bool alternate_scan = false;
    bool load_matrices = false;  // false: the standard's default matrices
    std::array<uint16_t, 64> intra_matrix{}, inter_matrix{};  // raster order
    std::string matrix_name;
    int colour = 0;              // colour_primaries code, 0: no colour description
    bool sequence_display = false;
    Level level = Level::Main;
    bool profile_422 = false;
    int vbv_buffer_bits = 0;

    // Rate control.
    RateMode mode = RateMode::TwoPass;
    int bitrate_kbps = 4000, max_bitrate_kbps = 8000;
    bool vbv = true;
    float quantiser = 5.0f, p_factor = 1.0f, b_factor = 1.0f;
    std::vector<ZoneSpan> zones;

    // Picture types.
    int gop_length = 15, b_frames = 2;
    bool auto_gop = true;
    bool closed_gops = false;
    bool scene_detection = true;
    bool last_i_frame = false;
    std::vector<int> chapters;  // encoded frame indices, ascending, unique

    // Time code of the first frame, h m s f, and whether it counts 29.97 drop-frame.
    std::array<int, 4> timecode{};
    bool drop_frame = false;
    bool sequence_end_code = true;

    // Encoder behaviour.
    int speed = 2;            // 1 fast, 2 normal, 4 best
    int adaptive_quant = 2;   // *AQ 0..4
    int luminance_gain = 0;   // *LUMGAIN 0..4
    int cpu_level = 0;        // 0 auto .. 7 AVX2
    bool multithreaded = true;
    int priority = 0;
    int32_t avs_memory_mb = -1;  // -1: Avisynth's default
    bool frame_log_psnr = false;
    bool silent = false, preview = false;
    int wait_seconds = 5;
    bool shutdown = false;
};

struct PlanNotes {
    std::vector<std::string> used;        // "settings used" lines
    std::vector<std::string> unhonoured;  // settings the encoder cannot honour, named
};

// Decides the plan. False with `refusal` when the encode cannot run at all (no frames to encode).
// `window_shown`: a progress window is shown, which *PREVIEW and *WAIT need.
bool make_plan(const settings::Settings& record, const VideoFormat& format, bool source_interlaced, bool window_shown,
               EncodePlan& plan, PlanNotes& notes, std::string& refusal);

// Frames per second rounded, as time codes count them (25, 30 for 30000/1001, ...).
int timecode_rate(const EncodePlan& plan);

// The bitrate factor of encoded frame `index` (1 outside every zone).
float zone_factor(const EncodePlan& plan, int index);

}  // namespace qz::encoder
