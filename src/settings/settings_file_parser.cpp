#include "settings/settings_file_parser.h"
#include "settings/gop_limits.h"

#include "settings/free_format.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qz::settings {

namespace {

constexpr KeywordName kKeywordOrder[] = {
    {"*INFILE", kInfile},
    {"*OUTFILE", kOutfile},
    {"*FRAMES", kFrames},
    {"*1PASS", kOnePass},
    {"*BITRATE", kBitrate},
    {"*MAXBITRATE", kMaxBitrate},
    {"*PREVIEW", kPreview},
    {"*PROFILE", kProfile},
    {"*ASPECT", kAspect},
    {"*CQ_MAXBITRATE", kCqMaxBitrate},
    {"*CQ_PFACTOR", kCqPFactor},
    {"*CQ_BFACTOR", kCqBFactor},
    {"*CQ", kCq},
    {"*LOGFILE", kLogfile},
    {"*MINBRFAC", kMinBrFac},
    {"*LASTIFRAME", kLastIFrame},
    {"*ADAPTIVEMATRIX", kAdaptiveMatrix},
    {"*PULLDOWN", kPulldown},
    {"*CPU", kCpu},
    {"*GOP", kGop},
    {"*DC_PREC", kDcPrec},
    {"*TIMECODE", kTimecode},
    {"*MATRIX", kMatrix},
    {"*CUSTOMMATRIX", kCustomMatrix},
    {"*BIAS", kBias},
    {"*CLOSEDGOPS", kClosedGops},
    {"*NOVBV", kNoVbv},
    {"*NOSCD", kNoScd},
    {"*CHAPTER", kChapter},
    {"*CHROMAFORMAT", kChromaFormat},
    {"*MASK_SHIFT", kMaskShift},
    {"*TFF", kTff},
    {"*BFF", kBff},
    {"*WAIT", kWait},
    {"*NOSEQ_ENDCODE", kNoSeqEndcode},
    {"*SHUTDOWN", kShutdown},
    {"*AUTOGOP", kAutoGop},
    {"*ZONE", kZone},
    {"*LUMGAIN", kLumGain},
    {"*SILENT", kSilent},
    {"*SCDFILE", kScdFile},
    {"*AVSMEMORY", kAvsMemory},
    {"*B3", kB3},
    {"*PROGRESSIVE", kProgressive},
    {"*INTERLACED", kInterlaced},
    {"*DVSOURCE", kDvSource},
    {"*PRIORITY", kPriority},
    {"*MPEGLEVEL", kMpegLevel},
    {"*DBPATH", kDbPath},
    {"*FRAMELOG", kFrameLog},
    {"*NOSMP", kNoSmp},
    {"*COLOUR", kColour},
    {"*LOSSLESS", kLossless},
    {"*AQ", kAq},
    {"*LLPATH", kLlPath},
    {"*PANSCAN", kPanScan},
    {"*INTRAVLC", kIntraVlc},
    {"*CHROMADOWNSAMPLE", kChromaDownsample},
    {"*DEADZONE", kDeadZone},
    {"*PROG_SEQ", kProgSeq},
};

// Words of a word value, tried in this order at each start position.
struct Word {
    const char* text;
    int32_t value;
};

struct WordWindow {
    int first_column;
    int last_start_column;
    std::span<const Word> words;
};

constexpr Word kProfileWords[] = {{"FAST", 1}, {"NORM", 2}, {"GOOD", 2}, {"BEST", 4}};
constexpr Word kAspectWords[] = {{"1:1", 1},    {"3:4", 2},    {"4:3", 2},    {"9:16", 3},
                                 {"16:9", 3},   {"1:2.21", 4}, {"2.21:1", 4}, {"2:21", 4}};
// AVX2 is tried before AVX: otherwise the AVX2 the writer saves would load back as AVX.
constexpr Word kCpuWords[] = {{"AUTO", 0}, {"MMX", 1},   {"SSE2", 2}, {"SSE3", 3},
                              {"SSSE3", 4}, {"SSE4", 5}, {"AVX2", 7}, {"AVX", 6}};
constexpr Word kMatrixWords[] = {
    {"MPEGSTD", 99}, {"MPEG", 1},     {"QLB", 2},      {"NOTCH", 3},     {"QZLOW", 12},
    {"QZ", 4},       {"TEAL1", 5},    {"KIRUN1CD", 6}, {"HVSGOOD", 7},   {"HVSBETTER", 8},
    {"HVSBEST", 9},  {"OLUMAT6", 10}, {"OLUMAT7", 11}, {"ELK1", 13},     {"ELK2", 14},
    {"ELK3", 15},    {"TIRENO1", 16}, {"TIRENO2", 17}, {"TIRENO3", 18},
};
constexpr Word kChromaFormatWords[] = {{"420", 1},   {"422", 2},   {"444", 3},
                                       {"4:2:0", 1}, {"4:2:2", 2}, {"4:4:4", 3}};
constexpr Word kPriorityWords[] = {{"IDLE", 0}, {"LOW", 1}, {"NORMAL", 2}, {"HIGH", 3}};
constexpr Word kMpegLevelWords[] = {{"MP@ML", 1}, {"MP@H-14", 2}, {"MP@HL", 3}};
constexpr Word kPsnrWord[] = {{"PSNR", 1}};

constexpr WordWindow kProfileWindow{10, 76, kProfileWords};
constexpr WordWindow kAspectWindow{9, 74, kAspectWords};
constexpr WordWindow kCpuWindow{5, 71, kCpuWords};
constexpr WordWindow kMatrixWindow{8, 72, kMatrixWords};
constexpr WordWindow kChromaFormatWindow{14, 71, kChromaFormatWords};
constexpr WordWindow kPriorityWindow{10, 76, kPriorityWords};
constexpr WordWindow kMpegLevelWindow{11, 77, kMpegLevelWords};
constexpr WordWindow kFrameLogWindow{10, 76, kPsnrWord};

// Numeric value fields run from their start column to column 80.
constexpr int kNumericFieldEnd = 80;
// A path's first non-blank character must lie within this many characters of its field.
constexpr size_t kPathSearchLength = 99;
constexpr size_t kPathFieldLength = 500;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

template <typename T>
T limited(T value, T low, T high) {
    return std::clamp(value, low, high);
}

// Lines with one line of look-ahead: a list that meets a keyword line hands it back.
class Lines {
public:
    explicit Lines(LineReader& reader) : reader_(reader) {}
    bool next(std::string_view& line) {
        if (has_pending_) {
            has_pending_ = false;
            line = pending_;
            return true;
        }
        return reader_.next(line);
    }
    // Valid because nothing reads from `reader_` before the pending line is taken.
    void give_back(std::string_view line) {
        pending_ = line;
        has_pending_ = true;
    }

private:
    LineReader& reader_;
    std::string_view pending_;
    bool has_pending_ = false;
};

// How far one list read got: the values it stored, and whether it read all it was asked for.
struct ListRead {
    int64_t values = 0;
    bool complete = false;
};

// One read of `count` free-format values starting on the next line, spreading over as many lines as
// needed; what remains on its last line is skipped. A count of 0 or below still consumes one line.
// `store(i, token)` parses and keeps value i; the read stops at a value that is not a number or at
// the end of the text. A keyword line ends the read without being consumed, so a short list never
// swallows the settings that follow it.
template <typename Store>
ListRead read_list(Lines& lines, int64_t count, Store store) {
    ListRead read;
    std::string_view line;
    if (count <= 0) {
        read.complete = lines.next(line);
        return read;
    }
    while (read.values < count) {
        if (!lines.next(line)) return read;
        if (!line.empty() && line.front() == '*') {
            lines.give_back(line);
            return read;
        }
        size_t pos = 0;
        std::string_view token;
        while (read.values < count && next_value(line, pos, token)) {
            if (!store(read.values, token)) return read;
            ++read.values;
        }
    }
    read.complete = true;
    return read;
}

class Parser {
public:
    Parser(LineReader& reader, Settings& record, ReaderEnvironment& environment)
        : lines_(reader), reader_(reader), record_(record), environment_(environment) {}

    ReadReport run() {
        std::string_view line;
        while (lines_.next(line)) {
            if (line.empty() || line.front() != '*') continue;
            prepare(line);
            const KeywordName* keyword = match();
            if (keyword) apply(*keyword);
        }
        report_.read_error = reader_.failed();
        return report_;
    }

private:
    // The working copies: the line as read and upper-cased, both padded with blanks to the line
    // length; a tab counts as a blank in the upper-cased copy.
    void prepare(std::string_view line) {
        std::memset(raw_.data(), ' ', raw_.size());
        std::memcpy(raw_.data(), line.data(), line.size());
        for (size_t i = 0; i < raw_.size(); ++i) {
            char c = raw_[i];
            upper_[i] = c == '\t' ? ' ' : upper(c);
        }
    }

    const KeywordName* match() const {
        for (const KeywordName& k : kKeywordOrder) {
            if (std::memcmp(upper_.data(), k.name.data(), k.name.size()) == 0) return &k;
        }
        return nullptr;
    }

    std::string_view numeric_field(int first_column) const {
        return std::string_view(upper_.data() + first_column - 1, static_cast<size_t>(kNumericFieldEnd - first_column + 1));
    }

    // The first word found, trying start positions left to right and at each the words in order.
    bool find_word(const WordWindow& window, int32_t& value) const {
        for (int column = window.first_column; column <= window.last_start_column; ++column) {
            const char* at = upper_.data() + column - 1;
            size_t room = upper_.size() - static_cast<size_t>(column - 1);
            for (const Word& w : window.words) {
                size_t length = std::strlen(w.text);
                if (length <= room && std::memcmp(at, w.text, length) == 0) {
                    value = w.value;
                    return true;
                }
            }
        }
        return false;
    }

    // The path of a path keyword, from the line as read; false when there is none within reach.
    bool path_value(size_t keyword_length, std::string& path) const {
        size_t start = keyword_length + 1;  // the column right after the keyword is skipped
        std::string_view field(raw_.data() + start, std::min(kPathFieldLength, raw_.size() - start));
        size_t first = 0;
        while (first < field.size() && is_blank(field[first])) ++first;
        if (first >= field.size() || first >= kPathSearchLength) return false;
        field.remove_prefix(first);
        while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
        path.assign(field);
        return true;
    }

    void set(Keyword k) { record_.set_given(k); }

    template <size_t N>
    bool ints(int first_column, std::array<int32_t, N>& out) const {
        return read_ints(numeric_field(first_column), out.data(), static_cast<int>(N)) == static_cast<int>(N);
    }
    bool one_int(int first_column, int32_t& out) const { return read_ints(numeric_field(first_column), &out, 1) == 1; }
    bool one_real(int first_column, float& out) const { return read_reals(numeric_field(first_column), &out, 1) == 1; }

    void apply(const KeywordName& keyword) {
        OptionValues& v = record_.values;
        const Keyword k = keyword.number;
        switch (k) {
            case kInfile: read_input(keyword.name.size()); break;
            case kOutfile:
                if (path_value(keyword.name.size(), record_.output_file)) {
                    record_.output_exists = environment_.file_exists(record_.output_file);
                    set(k);
                }
                break;
            case kLogfile:
                if (path_value(keyword.name.size(), record_.log_file)) {
                    record_.log_exists = environment_.file_exists(record_.log_file);
                    set(k);
                }
                break;
            case kDbPath:
                if (path_value(keyword.name.size(), record_.db_path)) set(k);
                break;
            case kLlPath:
                if (path_value(keyword.name.size(), record_.ll_path)) set(k);
                break;
            case kFrames: {
                std::array<int32_t, 2> f{v.first_frame, v.last_frame};
                bool ok = ints(9, f);
                v.first_frame = f[0];
                v.last_frame = f[1];
                if (ok) {
                    v.last_frame = std::max(v.last_frame, v.first_frame);
                    set(k);
                }
                break;
            }
            case kBitrate:
                if (one_int(10, v.bitrate)) set(k);
                break;
            case kMaxBitrate:
                if (one_int(13, v.max_bitrate)) set(k);
                break;
            case kCq:
                if (one_real(5, v.cq)) {
                    v.cq_max_bitrate = false;
                    set(k);
                }
                break;
            case kCqMaxBitrate:
                if (one_real(16, v.cq)) {
                    v.cq_max_bitrate = true;
                    set(k);
                }
                break;
            case kCqPFactor:
                if (one_real(13, v.cq_p_factor)) set(k);
                break;
            case kCqBFactor:
                if (one_real(13, v.cq_b_factor)) set(k);
                break;
            case kMinBrFac:
                if (one_real(11, v.min_br_factor)) {
                    v.min_br_factor = limited(v.min_br_factor, 0.5f, 2.0f);
                    set(k);
                }
                break;
            case kGop: {
                std::array<int32_t, 2> g{v.gop_length, v.gop_b_frames};
                bool ok = ints(6, g);
                v.gop_length = g[0];
                v.gop_b_frames = g[1];
                if (ok) {
                    v.automatic_gop = false;  // of *GOP and *AUTOGOP, the later line wins
                    set(k);
                }
                break;
            }
            case kDcPrec:
                if (one_int(10, v.dc_precision)) set(k);
                break;
            case kTimecode: {
                std::array<int32_t, 4> t = v.timecode;
                bool ok = ints(11, t);
                v.timecode = t;
                if (ok) {
                    v.timecode[0] = limited(t[0], 0, 23);
                    for (size_t i = 1; i < 4; ++i) v.timecode[i] = limited(t[i], 0, 59);
                    set(k);
                }
                break;
            }
            case kBias:
                if (one_int(7, v.bias)) {
                    v.bias = limited(v.bias, 0, 100);
                    set(k);
                }
                break;
            case kMaskShift: {
                std::array<int32_t, 3> m{v.mask_top, v.mask_bottom, v.mask_shift};
                bool ok = ints(12, m);
                if (ok) {
                    m[0] = std::max(m[0], 0);
                    m[1] = std::max(m[1], 0);
                    // Mask and shift work on whole field pairs: odd values go one down (-3 becomes -4).
                    for (int32_t& x : m) {
                        if (x % 2 != 0) --x;
                    }
                }
                v.mask_top = m[0];
                v.mask_bottom = m[1];
                v.mask_shift = m[2];
                if (ok) set(k);
                break;
            }
            case kWait:
                if (one_int(7, v.wait_seconds)) {
                    v.wait_seconds = limited(v.wait_seconds, 0, 99);
                    set(k);
                }
                break;
            case kAutoGop:
                set(k);  // marked even when the number does not parse
                v.automatic_gop = true;
                if (one_int(9, v.autogop)) v.autogop = limited(v.autogop, gop::kMinAutomatic, gop::kMaxAutomatic);
                break;
            case kLumGain:
                if (one_int(9, v.luminance_gain)) {
                    v.luminance_gain = limited(v.luminance_gain, 0, 4);
                    set(k);
                }
                break;
            case kAvsMemory:
                set(k);  // marked even when the number does not parse
                if (one_int(12, v.avs_memory_mb)) v.avs_memory_mb = limited(v.avs_memory_mb, 0, 1024);
                break;
            case kColour:
                set(k);  // marked even when the number does not parse
                if (one_int(9, v.colour)) {
                    v.colour = limited(v.colour, 1, 7);
                    // Codes 2 and 3 name no colorimetry: refused.
                    if (v.colour == 2 || v.colour == 3) {
                        v.colour = 0;
                        record_.set_given(k, false);
                    }
                }
                break;
            case kAq:
                if (one_int(5, v.aq)) {
                    v.aq = limited(v.aq, 0, 4);
                    set(k);
                }
                break;
            case kIntraVlc:
                if (one_int(11, v.intra_vlc)) set(k);
                break;
            case kChromaDownsample:
                if (one_int(19, v.chroma_downsample)) {
                    v.chroma_downsample = limited(v.chroma_downsample, 0, 1);
                    set(k);
                }
                break;
            case kDeadZone: {
                std::array<int32_t, 2> d{v.dead_zone_intra, v.dead_zone_non_intra};
                bool ok = ints(11, d);
                v.dead_zone_intra = d[0];
                v.dead_zone_non_intra = d[1];
                if (ok) {
                    v.dead_zone_intra = limited(d[0], 0, 8);
                    v.dead_zone_non_intra = limited(d[1], 0, 8);
                    set(k);
                }
                break;
            }
            case kProfile:
                if (find_word(kProfileWindow, v.profile)) set(k);
                break;
            case kAspect:
                if (find_word(kAspectWindow, v.aspect)) set(k);
                break;
            case kCpu:
                if (find_word(kCpuWindow, v.cpu)) set(k);
                break;
            case kMatrix:
                record_.matrix_number = 1;
                if (find_word(kMatrixWindow, record_.matrix_number)) set(k);
                break;
            case kChromaFormat:
                if (find_word(kChromaFormatWindow, v.chroma_format)) set(k);
                break;
            case kPriority:
                v.priority = 0;
                if (find_word(kPriorityWindow, v.priority)) set(k);
                break;
            case kMpegLevel:
                v.mpeg_level = 0;
                if (find_word(kMpegLevelWindow, v.mpeg_level)) set(k);
                break;
            case kFrameLog: {
                int32_t found = 0;
                v.psnr = find_word(kFrameLogWindow, found);
                set(k);
                break;
            }
            case kChapter: read_chapters(); break;
            case kZone: read_zones(); break;
            case kPanScan: read_panscan(); break;
            case kCustomMatrix: read_custom_matrix(); break;
            case kOnePass:
                v.one_pass_vbr = true;
                set(k);
                break;
            case kNoSmp:
                v.multiprocessing = false;
                set(k);
                break;
            case kB3:
                record_.max_b_frames = 3;
                set(k);
                break;
            case kPreview:
            case kLastIFrame:
            case kAdaptiveMatrix:
            case kPulldown:
            case kClosedGops:
            case kNoVbv:
            case kNoScd:
            case kTff:
            case kBff:
            case kNoSeqEndcode:
            case kShutdown:
            case kSilent:
            case kScdFile:
            case kProgressive:
            case kInterlaced:
            case kDvSource:
            case kLossless:
            case kProgSeq: set(k); break;
        }
    }

    // The input checks of an *INFILE line.
    void read_input(size_t keyword_length) {
        if (!path_value(keyword_length, record_.input_file)) return;
        record_.input_exists = environment_.file_exists(record_.input_file);
        if (!record_.input_exists) {
            record_.set_given(kInfile, false);
            report_.input = InputOutcome::NotFound;
            return;
        }
        InputOutcome outcome = environment_.check_input(record_.input_file);
        report_.input = outcome;
        if (outcome == InputOutcome::Accepted) {
            set(kInfile);
            return;
        }
        record_.input_file.clear();
        record_.set_given(kInfile, false);
        record_.input_valid = false;
        report_.input_rejected = true;
    }

    bool count_on_line(int first_column, int32_t& count) const { return one_int(first_column, count); }

    // A list keeps exactly the entries its file holds, up to its capacity: a list that ends early
    // (a keyword line, a value that is no number, the end of the file) shows no entries it lacks,
    // and entries beyond the capacity are read, so the file stays in step, but not kept.
    void read_chapters() {
        int32_t declared = 0;
        if (!count_on_line(9, declared)) return;
        ChapterList& list = record_.chapters;
        ListRead read = read_list(lines_, declared, [&](int64_t i, std::string_view token) {
            int32_t frame = 0;
            if (!parse_int(token, frame)) return false;
            if (i < kChapterCapacity) list.frames[static_cast<size_t>(i)] = frame;
            return true;
        });
        list.count = kept(read.values, kChapterCapacity);
        report_.chapters = ListCount{std::max(declared, 0), read.values};
        if (read.complete) set(kChapter);
    }

    // Pairs of start frame and factor; a start frame without its factor is no zone.
    void read_zones() {
        int32_t declared = 0;
        if (!count_on_line(7, declared)) return;
        ZoneList& list = record_.zones;
        Zone zone;
        ListRead read = read_list(lines_, int64_t{declared} * 2, [&](int64_t i, std::string_view token) {
            if (i % 2 == 0) return parse_int(token, zone.start_frame);
            if (!parse_real(token, zone.factor)) return false;
            if (i / 2 < kZoneCapacity) list.zones[static_cast<size_t>(i / 2)] = zone;
            return true;
        });
        const int64_t found = read.values / 2;
        list.count = kept(found, kZoneCapacity);
        report_.zones = ListCount{std::max(declared, 0), found};
        if (read.complete) set(kZone);
    }

    // Entries of three numbers, each read starting on a new line; the third is not kept.
    void read_panscan() {
        std::array<int32_t, 3> head{};
        if (!ints(10, head)) return;
        PanScanList& list = record_.panscan;
        list.display_width = head[0];
        list.display_height = head[1];
        const int32_t declared = std::max(head[2], 0);
        int32_t found = 0;
        std::array<int32_t, 3> entry{};
        bool complete = true;
        for (; found < declared; ++found) {
            complete = read_list(lines_, 3, [&](int64_t i, std::string_view token) {
                           return parse_int(token, entry[static_cast<size_t>(i)]);
                       }).complete;
            if (!complete) break;
            if (found < kPanScanCapacity) list.entries[static_cast<size_t>(found)] = PanScanEntry{entry[0], entry[1]};
        }
        list.count = kept(found, kPanScanCapacity);
        report_.panscan = ListCount{declared, found};
        if (!complete) return;
        set(kPanScan);
        list.on = true;
        record_.values.aspect = 5;
    }

    static int32_t kept(int64_t found, int32_t capacity) { return static_cast<int32_t>(std::min<int64_t>(found, capacity)); }

    void read_custom_matrix() {
        MatrixPair& pair = record_.custom_matrix;
        auto into = [](std::array<int32_t, 64>& m) {
            return [&m](int64_t i, std::string_view token) { return parse_int(token, m[static_cast<size_t>(i)]); };
        };
        if (read_list(lines_, 64, into(pair.intra)).complete && read_list(lines_, 64, into(pair.non_intra)).complete)
            set(kCustomMatrix);
    }

    Lines lines_;
    LineReader& reader_;
    Settings& record_;
    ReaderEnvironment& environment_;
    ReadReport report_;
    std::array<char, kLineLength> raw_{};
    std::array<char, kLineLength> upper_{};
};

}  // namespace

std::span<const KeywordName> keyword_order() { return kKeywordOrder; }

ReadReport parse_settings(LineReader& lines, Settings& record, ReaderEnvironment& environment) {
    return Parser(lines, record, environment).run();
}

}  // namespace qz::settings
