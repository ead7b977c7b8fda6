#include "settings/settings_file_builder.h"

#include "settings/free_format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>

namespace qz::settings {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string_view trailing_trimmed(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

void append_int(std::string& out, long long value) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end);
}

// `value` right-aligned in `width` columns; a wider number gets one blank before it, so that two
// numbers never run together.
void append_right(std::string& out, long long value, size_t width) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    size_t length = static_cast<size_t>(end - digits);
    out.append(length < width ? width - length : 1, ' ');
    out.append(digits, end);
}

// `value` left-aligned in `width` columns; at least one blank follows.
void append_left(std::string& out, long long value, size_t width) {
    size_t before = out.size();
    append_int(out, value);
    size_t length = out.size() - before;
    out.append(length < width ? width - length : 1, ' ');
}

void append_fixed(std::string& out, double value, int decimals) {
    char text[64];
    int n = std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (n > 0) out.append(text, static_cast<size_t>(std::min<int>(n, sizeof text - 1)));
}

const char* matrix_name(int32_t number) {
    static constexpr const char* kNames[] = {"mpeg",      "qlb",     "notch",   "qz",   "teal1",   "kirun1cd", "hvsgood",
                                             "hvsbetter", "hvsbest", "olumat6", "olumat7", "qzlow", "elk1",     "elk2",
                                             "elk3",      "tireno1", "tireno2", "tireno3"};
    if (number == 99) return "mpegstd";
    if (number >= 1 && number <= 18) return kNames[number - 1];
    return nullptr;
}

class Builder {
public:
    Builder(const PageValues& page, Settings& record, BuildTarget target, LineSink& sink)
        : p_(page), r_(record), listing_(target == BuildTarget::Listing), sink_(sink) {
        line_.reserve(1024);
    }

    using Step = bool (Builder::*)();

    BuildResult run() {
        // The file's order, and the listing's, which differs in three places: *NOSMP follows *NOSCD,
        // *B3 follows the frame log line, and the mask, AVS memory and lossless lines follow the time
        // code.
        static constexpr Step kFileOrder[] = {
            &Builder::infile,        &Builder::outfile,     &Builder::logfile,        &Builder::dbpath,
            &Builder::llpath,        &Builder::bitrate,     &Builder::max_bitrate,    &Builder::frames,
            &Builder::nosmp,         &Builder::profile,     &Builder::aspect,         &Builder::gop,
            &Builder::b3,            &Builder::cq,          &Builder::cq_p_factor,    &Builder::cq_b_factor,
            &Builder::aq,            &Builder::dead_zone,   &Builder::dc_precision,   &Builder::interlacing,
            &Builder::chroma_down,   &Builder::noscd,       &Builder::novbv,          &Builder::closed_gops,
            &Builder::one_pass,      &Builder::noseq,       &Builder::scd_file,       &Builder::framelog,
            &Builder::bias,          &Builder::min_br_fac,  &Builder::mask_shift,     &Builder::avs_memory,
            &Builder::lossless,      &Builder::adaptive,    &Builder::pulldown,       &Builder::last_i_frame,
            &Builder::preview,       &Builder::silent,      &Builder::timecode,       &Builder::mpeg_level,
            &Builder::intra_vlc,     &Builder::matrix,      &Builder::custom_matrix,  &Builder::luminance_gain,
            &Builder::colour,        &Builder::cpu,         &Builder::priority,       &Builder::chroma_format,
            &Builder::wait,          &Builder::shutdown,    &Builder::chapters,       &Builder::zones,
            &Builder::panscan,
        };
        static constexpr Step kListingOrder[] = {
            &Builder::infile,        &Builder::outfile,     &Builder::logfile,        &Builder::dbpath,
            &Builder::llpath,        &Builder::bitrate,     &Builder::max_bitrate,    &Builder::frames,
            &Builder::profile,       &Builder::aspect,      &Builder::gop,            &Builder::cq,
            &Builder::cq_p_factor,   &Builder::cq_b_factor, &Builder::aq,             &Builder::dead_zone,
            &Builder::dc_precision,  &Builder::interlacing, &Builder::chroma_down,    &Builder::noscd,
            &Builder::nosmp,         &Builder::novbv,       &Builder::closed_gops,    &Builder::one_pass,
            &Builder::noseq,         &Builder::scd_file,    &Builder::framelog,       &Builder::b3,
            &Builder::bias,          &Builder::min_br_fac,  &Builder::adaptive,       &Builder::pulldown,
            &Builder::last_i_frame,  &Builder::preview,     &Builder::silent,         &Builder::timecode,
            &Builder::mask_shift,    &Builder::avs_memory,  &Builder::lossless,       &Builder::mpeg_level,
            &Builder::intra_vlc,     &Builder::matrix,      &Builder::custom_matrix,  &Builder::luminance_gain,
            &Builder::colour,        &Builder::cpu,         &Builder::priority,       &Builder::chroma_format,
            &Builder::wait,          &Builder::shutdown,    &Builder::chapters,       &Builder::zones,
            &Builder::panscan,
        };
        static_assert(std::size(kFileOrder) == 53 && std::size(kListingOrder) == 53);

        const auto& order = listing_ ? kListingOrder : kFileOrder;
        for (Step step : order) {
            if (!(this->*step)()) {
                result_.cq_aborted = true;
                break;
            }
        }
        return result_;
    }

private:
    // ---- line output
    std::string& start(std::string_view keyword) {
        line_.assign(keyword);
        if (line_.size() < kKeywordWidth) line_.append(kKeywordWidth - line_.size(), ' ');
        return line_;
    }
    void emit() { sink_.add(trailing_trimmed(line_)); }
    void flag(std::string_view keyword) { sink_.add(keyword); }
    void value_line(std::string_view keyword, std::string_view value) {
        start(keyword).append(value);
        emit();
    }
    void int_line(std::string_view keyword, long long value) {
        append_int(start(keyword), value);
        emit();
    }

    void name_line(std::string_view keyword, const std::string& name) {
        std::string_view shown = trailing_trimmed(name);
        if (listing_) shown = shown.substr(0, kListingNameLength);
        start(keyword).append(shown);
        result_.longest_name_line = std::max(result_.longest_name_line, trailing_trimmed(line_).size());
        emit();
    }

    // ---- file names and paths
    bool infile() {
        // A bare *INFILE would name no input and read back as "input file not found".
        if (r_.is_given(kInfile) && !trailing_trimmed(r_.input_file).empty()) name_line("*INFILE", r_.input_file);
        return true;
    }
    bool outfile() {
        if (r_.is_given(kOutfile)) name_line("*OUTFILE", r_.output_file);
        return true;
    }
    bool logfile() {
        if (r_.is_given(kLogfile)) name_line("*LOGFILE", r_.log_file);
        return true;
    }
    // The file follows the path button's caption; the listing shows any path that is set.
    bool dbpath() {
        if (listing_ ? !trailing_trimmed(r_.db_path).empty() : p_.db_path_caption == "DB path (set)")
            name_line("*DBPATH", r_.db_path);
        return true;
    }
    bool llpath() {
        if (listing_ ? !trailing_trimmed(r_.ll_path).empty() : p_.ll_path_caption == "LL path (set)")
            name_line("*LLPATH", r_.ll_path);
        return true;
    }

    // ---- rate, range, structure
    bool bitrate() {
        if (!p_.constant_quantization) value_line("*BITRATE", trimmed(p_.average_bitrate));
        return true;
    }
    bool max_bitrate() {
        value_line("*MAXBITRATE", trimmed(p_.max_bitrate));
        return true;
    }
    bool frames() {
        int32_t first = 0, last = 0;
        if (!parse_int_text(p_.start_frame, first) || !parse_int_text(p_.end_frame, last)) return true;
        if (!listing_) {
            r_.values.first_frame = first;
            r_.values.last_frame = last;
        }
        start("*FRAMES").append(trimmed(p_.start_frame)).append(" ").append(trimmed(p_.end_frame));
        emit();
        return true;
    }
    bool nosmp() {
        if (!p_.smp) flag("*NOSMP");
        return true;
    }
    bool profile() {
        if (p_.profile == Profile::Fast) value_line("*PROFILE", "fast");
        if (p_.profile == Profile::Best) value_line("*PROFILE", "best");
        return true;
    }
    bool aspect() {
        switch (p_.aspect) {
            case Aspect::Square: value_line("*ASPECT", "1:1"); break;
            case Aspect::FourThree: value_line("*ASPECT", "4:3"); break;
            case Aspect::Wide221: value_line("*ASPECT", "2.21:1"); break;
            case Aspect::SixteenNine:
            case Aspect::PanScan43: break;
        }
        return true;
    }
    bool gop() {
        if (!p_.autogop) {
            int32_t number = 0;
            if (!listing_ && parse_int_text(p_.gop_length, number)) r_.values.gop_length = number;
            if (!listing_ && parse_int_text(p_.b_frames, number)) r_.values.gop_b_frames = number;
            start("*GOP").append(trimmed(p_.gop_length)).append(" ").append(trimmed(p_.b_frames));
            emit();
        } else if (!listing_) {
            value_line("*AUTOGOP", trimmed(p_.autogop_length));
        } else {
            int32_t length = 0;
            if (parse_int_text(p_.autogop_length, length)) int_line("*AUTOGOP", length);
        }
        return true;
    }
    bool b3() {
        if (p_.allow_3_b_frames) flag("*B3");
        return true;
    }

    // ---- constant quantisation: a quantiser that is no number ends the lines here
    bool cq() {
        if (!p_.constant_quantization) return true;
        float quantizer = 0.0f;
        if (!parse_real_text(p_.quantizer, quantizer)) return false;
        value_line(p_.check_max_bitrate ? "*CQ_MAXBITRATE" : "*CQ", trimmed(p_.quantizer));
        return true;
    }
    bool cq_p_factor() {
        if (p_.constant_quantization && trimmed(p_.p_factor) != "1.00") value_line("*CQ_PFACTOR", trimmed(p_.p_factor));
        return true;
    }
    bool cq_b_factor() {
        if (p_.constant_quantization && trimmed(p_.b_factor) != "1.00") value_line("*CQ_BFACTOR", trimmed(p_.b_factor));
        return true;
    }

    // ---- Settings 1
    bool aq() {
        int32_t strength = 0;
        if (parse_int_text(p_.aq, strength) && strength != 2) int_line("*AQ", strength);
        return true;
    }
    // "set values" writes both boxes whole: cutting them to one character would turn 12 into 1.
    bool dead_zone() {
        if (p_.dead_zone == DeadZoneMode::Off) value_line("*DEADZONE", "0 0");
        if (p_.dead_zone == DeadZoneMode::SetValues) {
            start("*DEADZONE").append(trimmed(p_.dead_zone_intra)).append(" ").append(trimmed(p_.dead_zone_non_intra));
            emit();
        }
        return true;
    }
    bool dc_precision() {
        if (p_.dc_precision != 9) int_line("*DC_PREC", p_.dc_precision);
        return true;
    }
    void field_order() {
        if (p_.tff) flag("*TFF");
        if (p_.bff) flag("*BFF");
    }
    bool interlacing() {
        switch (p_.interlacing) {
            case Interlacing::AutoDetect: break;
            case Interlacing::Progressive:
                flag("*PROGRESSIVE");
                // The listing leaves it out under 3:2 pulldown, which makes the sequence progressive anyway.
                if (p_.progressive_sequence && !(listing_ && p_.pulldown)) flag("*PROG_SEQ");
                break;
            case Interlacing::Interlaced: flag("*INTERLACED"); break;
            case Interlacing::DigitalVideo: flag("*DVSOURCE"); break;
            case Interlacing::NoneChosen: return true;
        }
        field_order();
        return true;
    }
    bool chroma_down() {
        if (p_.chroma_interlaced) value_line("*CHROMADOWNSAMPLE", "1");
        return true;
    }

    // ---- switches
    bool noscd() {
        if (!p_.scene_change) flag("*NOSCD");
        return true;
    }
    bool novbv() {
        if (!p_.vbv_check) flag("*NOVBV");
        return true;
    }
    bool closed_gops() {
        if (p_.closed_gops) flag("*CLOSEDGOPS");
        return true;
    }
    bool one_pass() {
        if (p_.one_pass_vbr) flag("*1PASS");
        return true;
    }
    bool noseq() {
        if (!p_.seq_endcode) flag("*NOSEQ_ENDCODE");
        return true;
    }
    bool scd_file() {
        if (p_.scd_file) flag("*SCDFILE");
        return true;
    }
    bool framelog() {
        if (p_.framelog) {
            if (p_.psnr) value_line("*FRAMELOG", "psnr");
            else flag("*FRAMELOG");
        }
        return true;
    }
    bool adaptive() {
        if (p_.adaptive_matrix) flag("*ADAPTIVEMATRIX");
        return true;
    }
    bool pulldown() {
        if (p_.pulldown) flag("*PULLDOWN");
        return true;
    }
    bool last_i_frame() {
        if (p_.last_i_frame) flag("*LASTIFRAME");
        return true;
    }
    bool preview() {
        if (p_.preview) flag("*PREVIEW");
        return true;
    }
    bool silent() {
        if (p_.silent) flag("*SILENT");
        return true;
    }
    bool lossless() {
        if (p_.lossless) flag("*LOSSLESS");
        return true;
    }
    bool shutdown() {
        if (p_.shutdown) flag("*SHUTDOWN");
        return true;
    }

    // ---- numbers read into the record (a box without a number keeps the record's value)
    bool bias() {
        if (!p_.bias_enabled) return true;
        int32_t value = 0;
        if (parse_int_text(p_.bias, value)) r_.values.bias = std::clamp(value, 0, 100);
        if (r_.values.bias > 0) int_line("*BIAS", r_.values.bias);
        return true;
    }
    bool min_br_fac() {
        if (!p_.min_br_factor_enabled) return true;
        float value = 0.0f;
        if (parse_real_text(p_.min_br_factor, value)) r_.values.min_br_factor = std::clamp(value, 0.5f, 2.0f);
        if (r_.values.min_br_factor != 1.0f) {
            append_fixed(start("*MINBRFAC"), r_.values.min_br_factor, 2);
            emit();
        }
        return true;
    }
    bool mask_shift() {
        OptionValues& v = r_.values;
        int32_t mask[3] = {v.mask_top, v.mask_bottom, v.mask_shift};
        const std::string* texts[3] = {&p_.mask_top, &p_.mask_bottom, &p_.mask_shift};
        for (int i = 0; i < 3; ++i) parse_int_text(*texts[i], mask[i]);
        if (!listing_) {
            v.mask_top = mask[0];
            v.mask_bottom = mask[1];
            v.mask_shift = mask[2];
        }
        if (mask[0] == 0 && mask[1] == 0 && mask[2] == 0) return true;
        start("*MASK_SHIFT").append(trimmed(p_.mask_top)).append(" ").append(trimmed(p_.mask_bottom));
        line_.append(" ").append(trimmed(p_.mask_shift));
        emit();
        return true;
    }
    bool avs_memory() {
        if (!trimmed(p_.avs_memory).empty()) value_line("*AVSMEMORY", trimmed(p_.avs_memory));
        return true;
    }
    bool timecode() {
        std::array<int32_t, 4>& t = r_.values.timecode;
        for (size_t i = 0; i < 4; ++i) {
            int32_t value = 0;
            if (parse_int_text(p_.timecode[i], value)) t[i] = std::clamp(value, 0, i == 0 ? 23 : 59);
        }
        if (t[0] + t[1] + t[2] + t[3] <= 0) return true;
        std::string fields;
        for (int32_t x : t) append_right(fields, x, 3);
        value_line("*TIMECODE", trimmed(fields));
        return true;
    }
    bool wait() {
        int32_t value = 0;
        if (parse_int_text(p_.wait, value)) r_.values.wait_seconds = std::clamp(value, 0, 99);
        if (r_.values.wait_seconds != 5) int_line("*WAIT", r_.values.wait_seconds);
        return true;
    }

    // ---- Settings 2 and 3 choices
    bool mpeg_level() {
        std::string_view level = trimmed(p_.mpeg_level);
        if (level == "MP@ML" || level == "MP@H-14" || level == "MP@HL") value_line("*MPEGLEVEL", level);
        return true;
    }
    bool intra_vlc() {
        std::string_view table = trimmed(p_.intra_vlc);
        if (table == "AUTO") value_line("*INTRAVLC", "2");
        if (table == "TABLE 14") value_line("*INTRAVLC", "0");
        if (table == "TABLE 15") value_line("*INTRAVLC", "1");
        return true;
    }
    bool luminance_gain() {
        int32_t gain = 0;
        if (parse_int_text(p_.luminance_gain, gain) && gain > 0) int_line("*LUMGAIN", gain);
        return true;
    }
    bool colour() {
        if (r_.values.colour > 0) int_line("*COLOUR", r_.values.colour);
        return true;
    }
    bool cpu() {
        static constexpr const char* kNames[] = {"", "MMX", "SSE2", "SSE3", "SSSE3", "SSE4", "AVX", "AVX2"};
        if (p_.cpu >= 1 && p_.cpu <= 7) value_line("*CPU", kNames[p_.cpu]);
        return true;
    }
    bool priority() {
        static constexpr const char* kNames[] = {"", "low", "normal", "high"};
        if (p_.priority >= 1 && p_.priority <= 3) value_line("*PRIORITY", kNames[p_.priority]);
        return true;
    }
    bool chroma_format() {
        if (p_.chroma_format == 2) value_line("*CHROMAFORMAT", "422");
        if (p_.chroma_format == 3) value_line("*CHROMAFORMAT", "444");
        return true;
    }

    // ---- matrices
    bool matrix() {
        const char* name = matrix_name(r_.matrix_number);
        if (p_.builtin_matrix && name) value_line("*MATRIX", name);
        return true;
    }
    bool custom_matrix() {
        if (!p_.custom_matrix) return true;
        flag("*CUSTOMMATRIX");
        for (const auto* m : {&r_.custom_matrix.intra, &r_.custom_matrix.non_intra}) {
            for (size_t row = 0; row < 8; ++row) {
                line_.clear();
                for (size_t col = 0; col < 8; ++col) append_right(line_, (*m)[row * 8 + col], 4);
                sink_.add(line_);
            }
        }
        return true;
    }

    // ---- frame lists
    bool chapters() {
        const int32_t count = std::clamp(r_.chapters.count, 0, kChapterCapacity);
        if (count <= 0) return true;
        int_line("*CHAPTER", count);
        for (int32_t i = 0; i < count; ++i) {
            line_.clear();
            append_int(line_, r_.chapters.frames[static_cast<size_t>(i)]);
            sink_.add(line_);
        }
        return true;
    }
    bool zones() {
        const int32_t count = std::clamp(r_.zones.count, 0, kZoneCapacity);
        if (count <= 0) return true;
        int_line("*ZONE", count);
        for (int32_t i = 0; i < count; ++i) {
            const Zone& z = r_.zones.zones[static_cast<size_t>(i)];
            line_.clear();
            append_left(line_, z.start_frame, 11);  // the factor starts in column 12
            append_fixed(line_, z.factor, 1);
            sink_.add(line_);
        }
        return true;
    }
    bool panscan() {
        const PanScanList& list = r_.panscan;
        if (!list.on) return true;
        const int32_t count = std::clamp(list.count, 0, kPanScanCapacity);
        std::string& head = start("*PANSCAN");
        append_int(head, list.display_width);
        head.push_back(' ');
        append_int(head, list.display_height);
        head.push_back(' ');
        append_int(head, count);
        emit();
        for (int32_t i = 0; i < count; ++i) {
            const PanScanEntry& e = list.entries[static_cast<size_t>(i)];
            // The frame from column 1, the offset right-aligned in columns 10 to 14, a 0 in column 19.
            line_.clear();
            append_int(line_, e.frame);
            if (line_.size() < 9) line_.append(9 - line_.size(), ' ');
            append_right(line_, e.offset, 5);
            line_.append("    0");
            sink_.add(line_);
        }
        return true;
    }

    const PageValues& p_;
    Settings& r_;
    const bool listing_;
    LineSink& sink_;
    std::string line_;
    BuildResult result_;
};

}  // namespace

BuildResult build_settings_lines(const PageValues& page, Settings& record, BuildTarget target, LineSink& sink) {
    return Builder(page, record, target, sink).run();
}

}  // namespace qz::settings
