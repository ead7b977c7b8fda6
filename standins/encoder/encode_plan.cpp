#include "encode_plan.h"

#include "matrices/matrix_tables.h"
#include "settings/gop_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qz::encoder {

namespace {

using settings::Keyword;
using settings::Settings;

std::string format_text(const char* pattern, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

bool given(const Settings& r, Keyword k) { return r.is_given(k); }

// ---- frames --------------------------------------------------------------------------------

bool plan_frames(const Settings& r, const VideoFormat& f, EncodePlan& p, PlanNotes& n, std::string& refusal) {
    int first = 0, last = f.frame_count - 1;
    if (given(r, settings::kFrames)) {
        last = std::min(r.values.last_frame, f.frame_count - 1);
        first = std::clamp(r.values.first_frame, 0, std::max(last, 0));
    }
    if (last < first || f.frame_count <= 0) {
        refusal = "no frames to encode: *FRAMES " + std::to_string(r.values.first_frame) + " " +
                  std::to_string(r.values.last_frame) + " lies beyond the input's " + std::to_string(f.frame_count) +
                  " frames";
        return false;
    }
    p.first_frame = first;
    p.frame_count = last - first + 1;
    n.used.push_back(format_text("frames: %d to %d (%d frames of %d)", first, last, p.frame_count, f.frame_count));
    return true;
}

// ---- picture -------------------------------------------------------------------------------

bool is_film_rate(const VideoFormat& f) {
    return (f.rate_numerator == 24000 && f.rate_denominator == 1001) || (f.rate_numerator == 24 && f.rate_denominator == 1);
}

void plan_scan(const Settings& r, const VideoFormat& f, bool source_interlaced, EncodePlan& p, PlanNotes& n) {
    const bool tff_given = given(r, settings::kTff), bff_given = given(r, settings::kBff);
    const bool bff = bff_given && !tff_given;
    if (given(r, settings::kPulldown)) {
        if (is_film_rate(f)) {
            p.pulldown = true;
            p.interlaced = false;
            p.progressive_sequence = false;
            p.top_field_first = true;
            n.used.push_back("3:2 pulldown: progressive film pictures flagged to play at " +
                             std::string(f.rate_denominator == 1001 ? "29.97" : "30") + " frames per second");
            if (given(r, settings::kProgSeq)) n.unhonoured.push_back("*PROG_SEQ: a pulldown stream cannot be a progressive sequence");
            return;
        }
        n.unhonoured.push_back(format_text("*PULLDOWN: needs a 23.976 or 24 frames per second source, this one runs at %u/%u",
                                           f.rate_numerator, f.rate_denominator));
    }
    if (given(r, settings::kDvSource)) {
        p.interlaced = true;
        p.top_field_first = tff_given;  // digital video is bottom field first unless told otherwise
    } else if (given(r, settings::kInterlaced)) {
        p.interlaced = true;
        p.top_field_first = !bff;
    } else if (given(r, settings::kProgressive)) {
        p.interlaced = false;
        p.top_field_first = !bff;
    } else {
        p.interlaced = source_interlaced;
        p.top_field_first = !bff;
        n.used.push_back(std::string("interlacing auto detect: the source is ") +
                         (source_interlaced ? "interlaced" : "progressive"));
    }
    if (given(r, settings::kProgSeq)) {
        if (p.interlaced) n.unhonoured.push_back("*PROG_SEQ: an interlaced encode cannot be a progressive sequence");
        else p.progressive_sequence = true;
    }
    if (p.progressive_sequence) p.top_field_first = false;  // the flag must be 0 in a progressive sequence
    p.alternate_scan = p.interlaced;
    n.used.push_back(std::string(p.interlaced ? "interlaced" : "progressive") + " pictures" +
                     (p.progressive_sequence ? ", progressive sequence" : "") +
                     (p.progressive_sequence ? "" : (p.top_field_first ? ", top field first" : ", bottom field first")));
}

void plan_chroma(const Settings& r, const VideoFormat& f, EncodePlan& p, PlanNotes& n) {
    p.source_chroma = f.chroma;
    p.chroma = Chroma::k420;
    if (given(r, settings::kChromaFormat)) {
        if (r.values.chroma_format == 2) p.chroma = Chroma::k422;
        if (r.values.chroma_format == 3)
            n.unhonoured.push_back("*CHROMAFORMAT 4:4:4: MPEG-2's 4:4:4 is not written by this encoder, 4:2:0 is used");
    }
    p.field_chroma = r.values.chroma_downsample == 1;
    p.profile_422 = p.chroma == Chroma::k422;
    n.used.push_back(std::string("chroma: ") + chroma_name(p.chroma) + " from a " + f.colour_space + " source" +
                     (f.chroma != p.chroma ? (p.field_chroma ? ", converted within fields" : ", converted progressively") : ""));
}

void plan_aspect(const Settings& r, const VideoFormat& f, EncodePlan& p, PlanNotes& n) {
    static const char* kNames[] = {"", "1:1", "4:3", "16:9", "2.21:1"};
    p.aspect_code = std::clamp(r.values.aspect, 1, 5);
    if (p.aspect_code == 5 || (given(r, settings::kPanScan) && r.panscan.on)) {
        p.aspect_code = 3;
        p.panscan = true;
        p.panscan_width = r.panscan.display_width > 0 ? r.panscan.display_width : f.width * 3 / 4;
        p.panscan_height = r.panscan.display_height > 0 ? r.panscan.display_height : f.height;
        p.sequence_display = true;
        n.used.push_back(format_text("aspect: 16:9 with a 4:3 pan-scan window of %dx%d, %d positions", p.panscan_width,
                                     p.panscan_height, r.panscan.count));
        return;
    }
    n.used.push_back(std::string("aspect: ") + kNames[p.aspect_code]);
}

void plan_panscan_offsets(const Settings& r, EncodePlan& p) {
    if (!p.panscan) return;
    const int count = std::clamp(r.panscan.count, 0, settings::kPanScanCapacity);
    std::vector<settings::PanScanEntry> entries(r.panscan.entries.begin(), r.panscan.entries.begin() + count);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.frame < b.frame; });
    for (const auto& e : entries) {
        const int index = std::max(e.frame - p.first_frame, 0);
        if (index >= p.frame_count) break;
        const int16_t offset = int16_t(std::clamp(e.offset, -32768, 32767));
        if (!p.panscan_offsets.empty() && p.panscan_offsets.back().first == index) p.panscan_offsets.back().offset = offset;
        else p.panscan_offsets.push_back({index, offset});
    }
}

void plan_matrices(const Settings& r, EncodePlan& p, PlanNotes& n) {
    settings::MatrixPair pair;
    if (given(r, settings::kCustomMatrix)) {
        pair = r.custom_matrix;
        p.matrix_name = "custom";
    } else {
        const int number = given(r, settings::kMatrix) ? r.matrix_number : matrices::kMpegMatrixNumber;
        if (number == matrices::kMpegStandardMatrixNumber) {
            p.load_matrices = false;
            p.matrix_name = "mpegstd";
            n.used.push_back("matrices: mpegstd (the standard's defaults, not loaded into the stream)");
            return;
        }
        const settings::MatrixPair* table = matrices::built_in_pair(number);
        if (!table) table = matrices::built_in_pair(matrices::kMpegMatrixNumber);
        pair = *table;
        p.matrix_name = std::string(matrices::matrix_file_name(number));
    }
    const bool legal = matrices::is_legal(pair);
    matrices::make_legal(pair);
    if (!legal) n.unhonoured.push_back("*CUSTOMMATRIX: values outside 1 .. 255 or an intra DC value other than 8 were corrected");
    for (int i = 0; i < 64; ++i) {
        p.intra_matrix[size_t(i)] = uint16_t(pair.intra[size_t(i)]);
        p.inter_matrix[size_t(i)] = uint16_t(pair.non_intra[size_t(i)]);
    }
    p.load_matrices = true;
    n.used.push_back("matrices: " + p.matrix_name + " (loaded into the sequence header)");
}

void plan_stream_flags(const Settings& r, EncodePlan& p, PlanNotes& n) {
    const int dc = r.values.dc_precision;
    p.dc_precision_bits = std::clamp(dc, 8, 11);
    if (dc != p.dc_precision_bits) n.unhonoured.push_back(format_text("*DC_PREC %d: must be 8 to 11, %d is used", dc, p.dc_precision_bits));
    const int vlc = r.values.intra_vlc;
    p.intra_vlc = vlc == 0 ? 0 : 1;  // automatic: table 15, the better one for intra blocks at DVD rates
    if (vlc < 0 || vlc > 2) n.unhonoured.push_back(format_text("*INTRAVLC %d: must be 0, 1 or 2, automatic is used", vlc));
    n.used.push_back(format_text("intra DC precision: %d bits; intra VLC: table %d%s; %s scan", p.dc_precision_bits,
                                 p.intra_vlc ? 15 : 14, vlc == 2 ? " (automatic)" : "",
                                 p.alternate_scan ? "alternate" : "zigzag"));
    if (given(r, settings::kColour) && r.values.colour > 0) {
        p.colour = r.values.colour;
        p.sequence_display = true;
        n.used.push_back(format_text("colour description: code %d in the sequence display extension", p.colour));
    }
    p.sequence_end_code = !given(r, settings::kNoSeqEndcode);
    if (!p.sequence_end_code) n.used.push_back("no sequence end code");
}

// The level the picture needs, and the one the settings ask for.
void plan_level(const Settings& r, const VideoFormat& f, EncodePlan& p, PlanNotes& n) {
    const double rate = double(f.rate_numerator) / double(f.rate_denominator);
    Level needed = Level::High;
    if (p.profile_422) needed = (f.width <= 720 && f.height <= 608 && rate <= 30.0) ? Level::Main : Level::High;
    else if (f.width <= 720 && f.height <= 576 && rate <= 30.0) needed = Level::Main;
    else if (f.width <= 1440 && f.height <= 1152 && rate <= 60.0) needed = Level::High1440;
    Level level = needed;
    static const Level kAsked[] = {Level::Main, Level::Main, Level::High1440, Level::High};
    if (given(r, settings::kMpegLevel) && r.values.mpeg_level >= 1 && r.values.mpeg_level <= 3) {
        const Level asked = kAsked[r.values.mpeg_level];
        if (p.profile_422 && asked == Level::High1440) {
            n.unhonoured.push_back("*MPEGLEVEL MP@H-14: the 4:2:2 profile has no High-1440 level, High is used");
            level = Level::High;
        } else if (int(asked) > int(needed)) {  // a lower level (higher code) cannot carry this picture
            n.unhonoured.push_back("*MPEGLEVEL: the level asked for is too low for this picture size or rate");
        } else {
            level = asked;
        }
    }
    p.level = level;
    // Maximum VBV buffer (bits) and bitrate (kbit/s) of each profile and level.
    struct Limits { int vbv_bits, max_kbps; };
    Limits limits{};
    if (p.profile_422) limits = level == Level::Main ? Limits{9437184, 50000} : Limits{47185920, 300000};
    else if (level == Level::Main) limits = {1835008, 15000};
    else if (level == Level::High1440) limits = {7340032, 60000};
    else limits = {9781248, 80000};
    p.vbv_buffer_bits = limits.vbv_bits;
    if (p.max_bitrate_kbps > limits.max_kbps) {
        n.unhonoured.push_back(format_text("*MAXBITRATE %d: above the level's %d kbit/s, %d is used", p.max_bitrate_kbps,
                                           limits.max_kbps, limits.max_kbps));
        p.max_bitrate_kbps = limits.max_kbps;
        p.bitrate_kbps = std::min(p.bitrate_kbps, p.max_bitrate_kbps);
    }
    static const char* kLevelNames[] = {"", "", "", "", "High", "", "High-1440", "", "Main"};
    n.used.push_back(std::string("profile and level: ") + (p.profile_422 ? "4:2:2" : "Main") + "@" + kLevelNames[int(level)] +
                     format_text(", VBV buffer %d bits", p.vbv_buffer_bits));
}

// ---- rate control --------------------------------------------------------------------------

void plan_rate(const Settings& r, EncodePlan& p, PlanNotes& n) {
    const auto& v = r.values;
    p.bitrate_kbps = std::max(v.bitrate, 1);
    p.max_bitrate_kbps = std::max(v.max_bitrate, p.bitrate_kbps);
    p.vbv = !given(r, settings::kNoVbv);
    p.p_factor = std::clamp(v.cq_p_factor, 0.1f, 10.0f);
    p.b_factor = std::clamp(v.cq_b_factor, 0.1f, 10.0f);
    if (given(r, settings::kCq) || given(r, settings::kCqMaxBitrate)) {
        p.mode = v.cq_max_bitrate ? RateMode::CappedQuantiser : RateMode::ConstantQuantiser;
        p.quantiser = std::clamp(v.cq, 1.0f, 31.0f);
        if (p.quantiser != v.cq) n.unhonoured.push_back(format_text("*CQ %.3f: the quantiser must be 1 to 31, %.3f is used", double(v.cq), double(p.quantiser)));
        if (p.mode == RateMode::CappedQuantiser) {
            p.vbv = true;
            n.used.push_back(format_text("rate: constant quantiser %.3f (P x %.2f, B x %.2f) as the finest, capped at %d kbit/s by the VBV",
                                         double(p.quantiser), double(p.p_factor), double(p.b_factor), p.max_bitrate_kbps));
        } else {
            p.vbv = false;
            n.used.push_back(format_text("rate: constant quantiser %.3f (P x %.2f, B x %.2f), no bitrate limit", double(p.quantiser),
                                         double(p.p_factor), double(p.b_factor)));
        }
        if (given(r, settings::kOnePass)) n.used.push_back("one pass (constant quantisation needs no second)");
        return;
    }
    p.mode = given(r, settings::kOnePass) ? RateMode::OnePass : RateMode::TwoPass;
    n.used.push_back(format_text("rate: %s, %d kbit/s average, %d kbit/s maximum, VBV check %s",
                                 p.mode == RateMode::OnePass ? "one-pass VBR" : "two-pass VBR", p.bitrate_kbps,
                                 p.max_bitrate_kbps, p.vbv ? "on" : "off"));
    if (given(r, settings::kCqPFactor) || given(r, settings::kCqBFactor))
        n.unhonoured.push_back("*CQ_PFACTOR / *CQ_BFACTOR: used only with constant quantisation");
}

void plan_zones(const Settings& r, EncodePlan& p, PlanNotes& n) {
    const int count = std::clamp(r.zones.count, 0, settings::kZoneCapacity);
    if (count == 0) return;
    std::vector<settings::Zone> zones(r.zones.zones.begin(), r.zones.zones.begin() + count);
    std::stable_sort(zones.begin(), zones.end(), [](const auto& a, const auto& b) { return a.start_frame < b.start_frame; });
    int corrected = 0;
    for (size_t i = 0; i < zones.size(); ++i) {
        const int start = zones[i].start_frame - p.first_frame;
        const int end = (i + 1 < zones.size() ? zones[i + 1].start_frame - p.first_frame : p.frame_count) - 1;
        const int first = std::max(start, 0), last = std::min(end, p.frame_count - 1);
        if (first > last) continue;
        float factor = zones[i].factor;
        if (!(factor >= 0.2f && factor <= 5.0f)) {
            factor = std::isnan(factor) ? 1.0f : std::clamp(factor, 0.2f, 5.0f);
            ++corrected;
        }
        p.zones.push_back({first, last, factor});
    }
    if (corrected) n.unhonoured.push_back(format_text("*ZONE: %d factors outside 0.2 .. 5.0 were brought into it", corrected));
    n.used.push_back(format_text("zones: %d of %d within the encoded frames", int(p.zones.size()), count));
}

// ---- picture types -------------------------------------------------------------------------

void plan_gop(const Settings& r, EncodePlan& p, PlanNotes& n) {
    const auto& v = r.values;
    const int max_b = given(r, settings::kB3) ? 3 : 2;
    p.auto_gop = v.automatic_gop;
    if (p.auto_gop) {
        p.gop_length = std::clamp(v.autogop, settings::gop::kMinAutomatic, settings::gop::kMaxAutomatic);
        p.b_frames = max_b;
    } else {
        p.gop_length = std::clamp(v.gop_length, settings::gop::kMinLength, settings::gop::kMaxLength);
        p.b_frames = std::clamp(v.gop_b_frames, 0, max_b);
    }
    p.b_frames = std::min(p.b_frames, p.gop_length - 1);
    p.closed_gops = given(r, settings::kClosedGops);
    p.scene_detection = !given(r, settings::kNoScd);
    p.last_i_frame = given(r, settings::kLastIFrame);
    n.used.push_back(format_text("GOP: %s %d, %d B-frames, %s GOPs, scene change detection %s%s",
                                 p.auto_gop ? "automatic, at most" : "length", p.gop_length, p.b_frames,
                                 p.closed_gops ? "closed" : "open", p.scene_detection ? "on" : "off",
                                 p.last_i_frame ? ", last frame an I-frame" : ""));
}

void plan_chapters(const Settings& r, EncodePlan& p, PlanNotes& n) {
    const int count = std::clamp(r.chapters.count, 0, settings::kChapterCapacity);
    if (count == 0) return;
    int outside = 0;
    for (int i = 0; i < count; ++i) {
        const int index = r.chapters.frames[size_t(i)] - p.first_frame;
        if (index < 0 || index >= p.frame_count) ++outside;
        else p.chapters.push_back(index);
    }
    std::sort(p.chapters.begin(), p.chapters.end());
    p.chapters.erase(std::unique(p.chapters.begin(), p.chapters.end()), p.chapters.end());
    n.used.push_back(format_text("chapters: %d, each starting a closed GOP with an I-frame", int(p.chapters.size())));
    if (outside) n.unhonoured.push_back(format_text("*CHAPTER: %d chapter frames lie outside the encoded frames", outside));
}

void plan_timecode(const Settings& r, EncodePlan& p, PlanNotes& n) {
    const bool ntsc = p.rate_denominator == 1001 && (p.rate_numerator == 30000 || p.rate_numerator == 60000);
    p.drop_frame = ntsc || (p.pulldown && p.rate_denominator == 1001);  // 24 fps film plays at 30
    for (int i = 0; i < 4; ++i) p.timecode[size_t(i)] = r.values.timecode[size_t(i)];
    const int rate = timecode_rate(p);
    if (p.timecode[3] >= rate) {
        n.unhonoured.push_back(format_text("*TIMECODE: frame %d is beyond %d frames per second, %d is used", p.timecode[3], rate, rate - 1));
        p.timecode[3] = rate - 1;
    }
    // In drop-frame counting the first two frame numbers of most minutes do not exist.
    if (p.drop_frame && p.timecode[2] == 0 && p.timecode[1] % 10 != 0 && p.timecode[3] < 2) p.timecode[3] = 2;
    if (given(r, settings::kTimecode))
        n.used.push_back(format_text("time code: starts at %02d:%02d:%02d%c%02d", p.timecode[0], p.timecode[1], p.timecode[2],
                                     p.drop_frame ? ';' : ':', p.timecode[3]));
}

// ---- behaviour and what is not honoured ----------------------------------------------------

void plan_behaviour(const Settings& r, bool window_shown, EncodePlan& p, PlanNotes& n) {
    const auto& v = r.values;
    static const char* kSpeeds[] = {"", "fast", "normal", "normal", "best"};
    p.speed = std::clamp(v.profile, 1, 4) == 3 ? 2 : std::clamp(v.profile, 1, 4);
    p.adaptive_quant = std::clamp(v.aq, 0, 4);
    p.luminance_gain = std::clamp(v.luminance_gain, 0, 4);
    p.cpu_level = std::clamp(v.cpu, 0, 7);
    p.multithreaded = !given(r, settings::kNoSmp);
    p.priority = std::clamp(v.priority, 0, 3);
    p.avs_memory_mb = given(r, settings::kAvsMemory) ? v.avs_memory_mb : -1;
    p.silent = given(r, settings::kSilent);
    p.preview = given(r, settings::kPreview) && !p.silent;
    p.wait_seconds = std::clamp(v.wait_seconds, 0, 99);
    p.shutdown = given(r, settings::kShutdown);
    p.mask = {std::max(v.mask_top, 0), std::max(v.mask_bottom, 0), v.mask_shift};
    n.used.push_back(format_text("motion search and decisions: %s; adaptive quantisation %d; luminance gain %d",
                                 kSpeeds[p.speed], p.adaptive_quant, p.luminance_gain));
    n.used.push_back(format_text("processors: %s; CPU level %d%s", p.multithreaded ? "all" : "one", p.cpu_level,
                                 p.cpu_level == 0 ? " (automatic)" : ""));
    if (p.mask.any())
        n.used.push_back(format_text("mask: top %d lines, bottom %d lines, shift %d lines", p.mask.top, p.mask.bottom, p.mask.shift));

    // Without a window (silent, no display, a build without Qt) what only the window does is named.
    if (window_shown) {
        n.used.push_back(format_text("progress window shown%s, closing %d s after the end", p.preview ? " with the preview" : "",
                                     p.wait_seconds));
    } else {
        n.used.push_back(p.silent ? "silent: no window" : "no display: no window");
        if (given(r, settings::kPreview)) n.unhonoured.push_back("*PREVIEW: no progress window is shown, so no preview");
        if (given(r, settings::kWait) && p.wait_seconds != 5)
            n.unhonoured.push_back("*WAIT: no progress window is shown to keep open");
    }
    if (p.shutdown) n.used.push_back("shutdown after the encode requested");
    if (given(r, settings::kAdaptiveMatrix)) n.unhonoured.push_back("*ADAPTIVEMATRIX: adapting the matrix on dark scenes is not done by this encoder");
    if (given(r, settings::kMinBrFac) && v.min_br_factor != 1.0f) n.unhonoured.push_back("*MINBRFAC: the minimum bitrate factor is not used by this encoder's rate control");
    if (given(r, settings::kBias) && v.bias > 0) n.unhonoured.push_back("*BIAS: the VBR bias is not used by this encoder's rate control");
    if (given(r, settings::kDeadZone)) n.unhonoured.push_back("*DEADZONE: dead zone values are not used, the quantiser's own rounding is");
    if (given(r, settings::kLossless)) n.unhonoured.push_back("*LOSSLESS: no lossless intermediate file is written, frames are encoded as they are read");
    if (given(r, settings::kLlPath)) n.unhonoured.push_back("*LLPATH: no lossless intermediate file is written");
    if (given(r, settings::kDbPath)) n.unhonoured.push_back("*DBPATH: no database file is written");
}

}  // namespace

int timecode_rate(const EncodePlan& p) {
    if (p.pulldown) return 30;  // 29.97 or 30 frames per second are shown
    return int(std::lround(double(p.rate_numerator) / double(p.rate_denominator)));
}

float zone_factor(const EncodePlan& p, int index) {
    for (const ZoneSpan& z : p.zones)
        if (index >= z.first && index <= z.last) return z.factor;
    return 1.0f;
}

bool make_plan(const Settings& r, const VideoFormat& f, bool source_interlaced, bool window_shown, EncodePlan& p,
               PlanNotes& n, std::string& refusal) {
    p.input = r.input_file;
    p.output = r.output_file;
    p.log = r.log_file;
    p.width = f.width;
    p.height = f.height;
    p.rate_numerator = f.rate_numerator;
    p.rate_denominator = f.rate_denominator;
    if (!plan_frames(r, f, p, n, refusal)) return false;
    plan_scan(r, f, source_interlaced, p, n);
    plan_chroma(r, f, p, n);
    plan_aspect(r, f, p, n);
    plan_panscan_offsets(r, p);
    plan_rate(r, p, n);
    plan_level(r, f, p, n);
    plan_zones(r, p, n);
    plan_matrices(r, p, n);
    plan_stream_flags(r, p, n);
    plan_gop(r, p, n);
    plan_chapters(r, p, n);
    plan_timecode(r, p, n);
    plan_behaviour(r, window_shown, p, n);
    if (p.mode == RateMode::ConstantQuantiser && p.vbv) p.vbv = false;
    const std::string stem = p.output.substr(0, p.output.find_last_of('.') == std::string::npos ||
                                                         p.output.find_last_of('.') < p.output.find_last_of('/') + 1
                                                     ? p.output.size()
                                                     : p.output.find_last_of('.'));
    if (given(r, settings::kFrameLog)) {
        p.frame_log = stem + "_framelog.txt";
        p.frame_log_psnr = r.values.psnr;
        n.used.push_back("frame log: " + p.frame_log + (p.frame_log_psnr ? " with PSNR" : ""));
    }
    if (given(r, settings::kScdFile)) {
        p.scd_file = stem + "_scd.txt";
        n.used.push_back("scene change file: " + p.scd_file);
    }
    return true;
}

}  // namespace qz::encoder
