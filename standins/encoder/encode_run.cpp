#include "encode_run.h"

#include "d2v_scan.h"
#include "encode_plan.h"
#include "encoder_log.h"
#include "encoder_os.h"
#include "frame_source.h"
#include "input/input_kind.h"
#include "mpeg2_session.h"
#include "pass_statistics.h"
#include "picture_ops.h"
#include "picture_types.h"
#include "platform/platform.h"
#include "settings_input.h"
#include "stream_patcher.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace qz::encoder {

namespace {

constexpr const char* kSettingsFileName = "QZ.ini";
constexpr const char* kFallbackLogName = "QZenc.log";
constexpr const char* kDgDecodeCopy = "DGDecode.dll";

std::string clock_text() {
    const platform::TimeOfDay t = platform::local_time_of_day();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::string text(const char* pattern, auto... values) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

// The bitrate of the last second of pictures, for the progress display.
class RecentBitrate {
public:
    explicit RecentBitrate(double rate) : window_(size_t(std::max(1.0, rate + 0.5))), rate_(rate), sizes_(window_, 0) {}
    void add(int bytes) {
        total_ += bytes - int64_t(sizes_[next_]);
        sizes_[next_] = uint32_t(bytes);
        next_ = (next_ + 1) % window_;
        filled_ = std::min(filled_ + 1, window_);
    }
    double kbps() const { return filled_ ? double(total_) * 8.0 * rate_ / double(filled_) / 1000.0 : 0.0; }

private:
    size_t window_;
    double rate_;
    std::vector<uint32_t> sizes_;
    size_t next_ = 0, filled_ = 0;
    int64_t total_ = 0;
};

// Where the coded pictures of a pass go: statistics always; in the final pass also the patched
// stream, the frame log and the progress display's bitrate.
class PassSink final : public PacketSink {
public:
    PassSink(const EncodePlan& plan, EncoderLog& log, PassStatistics& stats, StreamPatcher* patcher, TemporaryFile* output,
             std::FILE* frame_log)
        : plan_(plan), log_(log), stats_(stats), patcher_(patcher), output_(output), frame_log_(frame_log),
          recent_(double(plan.rate_numerator) / double(plan.rate_denominator)) {
        patched_.reserve(1 << 20);
    }

    bool picture(CodedPicture& coded) override {
        const int luma = plan_.width * plan_.height;
        const int chroma = plan_.chroma == Chroma::k422 ? luma / 2 : luma / 4;
        stats_.add(coded.display_index, coded.type, coded.size, coded.quantiser, coded.has_error ? coded.error : nullptr,
                   luma, chroma);
        recent_.add(coded.size);
        if (frame_log_) write_frame_line(coded, luma, chroma);
        if (!output_) return true;
        patcher_->patch(coded.data, size_t(coded.size), coded.display_index, patched_);
        std::string error;
        if (!output_->write(patched_.data(), patched_.size(), error)) {
            log_.error("can't write " + output_->temporary_path() + ": " + error);
            return false;
        }
        return true;
    }

    double recent_kbps() const { return recent_.kbps(); }

private:
    void write_frame_line(const CodedPicture& coded, int luma, int chroma) {
        std::fprintf(frame_log_, "%8lld %c %9d bits  q %6.2f", static_cast<long long>(coded.display_index + plan_.first_frame),
                     coded.type, coded.size * 8, coded.quantiser);
        if (coded.has_error)
            std::fprintf(frame_log_, "  PSNR Y %6.2f U %6.2f V %6.2f", psnr(double(coded.error[0]), luma),
                         psnr(double(coded.error[1]), chroma), psnr(double(coded.error[2]), chroma));
        std::fputc('\n', frame_log_);
    }

    const EncodePlan& plan_;
    EncoderLog& log_;
    PassStatistics& stats_;
    StreamPatcher* patcher_;
    TemporaryFile* output_;
    std::FILE* frame_log_;
    RecentBitrate recent_;
    std::vector<uint8_t> patched_;
};

class EncodeRun {
public:
    EncodeRun(const RunOptions& options, Progress& progress) : options_(options), progress_(progress) {}
    int run();

private:
    int load_settings();
    int check_files();
    int open_input();
    int decide_plan();
    int encode();
    bool run_pass(Pass pass, int pass_number, int passes, Mpeg2Session& session, PassSink& sink);
    bool prepare_frame(int index, Planes& target);
    bool write_scd_file();
    int finish(int code);

    RunOptions options_;
    Progress& progress_;
    EncoderLog log_;
    std::unique_ptr<settings::Settings> record_ = std::make_unique<settings::Settings>();
    FrameSource source_;
    bool is_project_ = false;
    EncodePlan plan_;
    std::unique_ptr<PictureTypePlanner> types_;
    input::ConversionKernels kernels_{};
    Planes raw_;
    std::vector<Planes> ring_;
    SceneChangeDetector scenes_;
    double started_ = 0;
};

int EncodeRun::load_settings() {
    const std::string path = options_.program_folder + kSettingsFileName;
    const SettingsLoad load = read_encoder_settings(path, *record_);
    // Without settings there is no log file name: the log goes beside the encoder.
    if (load.outcome != SettingsOutcome::Read) log_.open(options_.program_folder + kFallbackLogName);
    switch (load.outcome) {
        case SettingsOutcome::Read: break;
        case SettingsOutcome::Missing: log_.error("QZ.ini not found: " + path); return kExitSettings;
        case SettingsOutcome::NotRegular: log_.error("QZ.ini is not a regular file: " + path); return kExitSettings;
        case SettingsOutcome::TooLarge: log_.error("QZ.ini is too large to be a settings file: " + path); return kExitSettings;
        case SettingsOutcome::Unreadable: log_.error("error reading QZ.ini: " + path); return kExitSettings;
    }
    const settings::Settings& r = *record_;
    // The log goes where the settings say, or beside the encoder when they name no log file.
    const std::string log_path = r.is_given(settings::kLogfile) && !r.log_file.empty()
                                     ? r.log_file
                                     : options_.program_folder + kFallbackLogName;
    if (!log_.open(log_path)) log_.warning("can't create the log file " + log_path + ", logging to standard error only");
    log_.line("settings read from " + path);
    // Lists shorter than declared or longer than kept: the same lines the front end shows.
    for (const std::string& line : settings::list_count_lines(load.report)) log_.warning(line);
    return kExitOk;
}

int EncodeRun::check_files() {
    const settings::Settings& r = *record_;
    if (r.input_file.empty()) {
        log_.error("no input file named (*INFILE)");
        return kExitInput;
    }
    if (!is_regular_file(r.input_file)) {
        log_.error("input file not found: " + r.input_file);
        return kExitInput;
    }
    const input::InputKind kind = input::classify_input(r.input_file, options_.program_folder + "DGDecode/");
    if (kind.is_d2v || input::has_extension(r.input_file, ".d2v")) {
        if (!kind.sources_present) {
            log_.error("invalid D2V project, can't find the VOB/MPEG files: " + r.input_file);
            return kExitInput;
        }
        if (!kind.project_usable) {
            log_.error("invalid D2V project, DGIndex/DGDecode mismatch: " + r.input_file);
            return kExitInput;
        }
        is_project_ = true;
    } else if (!kind.is_avs) {
        log_.error("the input is neither a D2V project nor an Avisynth script: " + r.input_file);
        return kExitInput;
    }
    if (r.output_file.empty() || !r.is_given(settings::kOutfile)) {
        log_.error("no output file named (*OUTFILE)");
        return kExitSettings;
    }
    // Renaming the finished stream over its own input would destroy the input.
    if (same_file(r.output_file, r.input_file)) {
        log_.error("the output file is the input file: " + r.output_file);
        return kExitSettings;
    }
    return kExitOk;
}

int EncodeRun::open_input() {
    const settings::Settings& r = *record_;
    log_.line("input: " + r.input_file);
    const int32_t memory = r.is_given(settings::kAvsMemory) ? r.values.avs_memory_mb : -1;
    const bool opened = is_project_ ? source_.open_project(r.input_file, options_.program_folder + kDgDecodeCopy, log_)
                                    : source_.open_script(r.input_file, memory, log_);
    if (!opened) return kExitInput;
    const VideoFormat& f = source_.format();
    log_.line(text("video: %dx%d, %u/%u frames per second, %d frames, %s", f.width, f.height, f.rate_numerator,
                   f.rate_denominator, f.frame_count, f.colour_space));
    return kExitOk;
}

int EncodeRun::decide_plan() {
    bool interlaced_source = false;
    if (is_project_) {
        D2vPictureFlags flags;
        if (scan_d2v_flags(record_->input_file, flags) && flags.pictures > 0)
            interlaced_source = flags.progressive * 2 < flags.pictures;
    }
    PlanNotes notes;
    std::string refusal;
    if (!make_plan(*record_, source_.format(), interlaced_source, options_.window_shown, plan_, notes, refusal)) {
        log_.error(refusal);
        return kExitInput;
    }
    log_.line("output: " + plan_.output);
    log_.line("---- settings used ----");
    for (const std::string& line : notes.used) log_.line(line);
    for (const std::string& line : notes.unhonoured) log_.warning("not honoured: " + line);
    log_.line(apply_priority(plan_.priority));
    limit_cpu_features(plan_.cpu_level);
    kernels_ = input::select_conversion_kernels(plan_.cpu_level == 0 ? 7 : plan_.cpu_level);
    return kExitOk;
}

bool EncodeRun::prepare_frame(int index, Planes& target) {
    const bool same = source_.format().chroma == target.chroma;
    Planes& fetched = same ? target : raw_;
    if (!source_.fetch(plan_.first_frame + index, fetched, log_)) return false;
    if (!same) convert_chroma(raw_, target, plan_.field_chroma, kernels_);
    paint_mask_shift(target, plan_.mask);
    return true;
}

bool EncodeRun::run_pass(Pass pass, int pass_number, int passes, Mpeg2Session& session, PassSink& sink) {
    const int count = plan_.frame_count;
    const bool deciding = types_->decided() < count;  // the first pass decides, the second repeats
    const double start = platform::monotonic_seconds();
    double last_report = -1;
    int fetched = 0;
    std::string error;
    for (int sent = 0; sent < count;) {
        while (types_->decided() <= sent) {
            if (types_->decide() > 0) break;
            if (fetched >= count) {
                log_.error("internal error: picture types undecided");
                return false;
            }
            Planes& slot = ring_[size_t(fetched) % ring_.size()];
            if (!prepare_frame(fetched, slot)) return false;
            types_->add_verdict(plan_.scene_detection && scenes_.is_cut(slot));
            ++fetched;
        }
        for (; sent < types_->decided(); ++sent) {
            Planes& slot = ring_[size_t(sent) % ring_.size()];
            if (!deciding) {
                if (!prepare_frame(sent, slot)) return false;
                fetched = sent + 1;
            }
            if (!session.send(slot, sent, types_->choice(sent), sink, error)) {
                if (!error.empty()) log_.error(error);
                return false;
            }
            const double now = platform::monotonic_seconds();
            if (now - last_report >= 0.25 || sent + 1 == count) {
                last_report = now;
                ProgressReport report;
                report.pass = pass_number;
                report.passes = passes;
                report.done = sent + 1;
                report.total = count;
                report.elapsed_seconds = now - started_;
                report.fps = (sent + 1) / std::max(now - start, 1e-6);
                report.remaining_seconds = (count - sent - 1) / std::max(report.fps, 1e-6) + (passes - pass_number) * count / std::max(report.fps, 1e-6);
                report.kbps = sink.recent_kbps();
                report.picture = plan_.preview && options_.preview_wanted ? &slot : nullptr;
                progress_.update(report);
            }
        }
    }
    (void)pass;
    if (!session.finish(sink, error)) {
        if (!error.empty()) log_.error(error);
        return false;
    }
    return true;
}

bool EncodeRun::write_scd_file() {
    TemporaryFile file;
    std::string error;
    if (!file.create(plan_.scd_file, error)) {
        log_.warning("can't create the scene change file " + plan_.scd_file + ": " + error);
        return false;
    }
    std::string lines;
    int cuts = 0;
    for (int i = 0; i < types_->decided(); ++i) {
        if (!types_->choice(i).scene_change) continue;
        lines += std::to_string(plan_.first_frame + i) + "\n";
        ++cuts;
    }
    if (!file.write(lines.data(), lines.size(), error) || !file.commit(error)) {
        log_.warning("can't write the scene change file " + plan_.scd_file + ": " + error);
        return false;
    }
    log_.line(text("scene change file written: %d scene changes", cuts));
    return true;
}

int EncodeRun::encode() {
    const VideoFormat& f = source_.format();
    raw_.allocate(f.width, f.height, f.chroma);
    ring_.resize(size_t(plan_.b_frames) + 2);
    for (Planes& p : ring_) p.allocate(f.width, f.height, plan_.chroma);
    GopRules rules;
    rules.frame_count = plan_.frame_count;
    rules.gop_length = plan_.gop_length;
    rules.b_frames = plan_.b_frames;
    rules.closed_gops = plan_.closed_gops;
    rules.scene_detection = plan_.scene_detection;
    rules.last_i_frame = plan_.last_i_frame;
    rules.chapters = &plan_.chapters;
    types_ = std::make_unique<PictureTypePlanner>(rules);

    TemporaryFile output;
    std::string error;
    if (!output.create(plan_.output, error)) {
        log_.error("can't create the output file " + plan_.output + ": " + error);
        return kExitOutput;
    }
    TemporaryFile frame_log;
    if (!plan_.frame_log.empty() && !frame_log.create(plan_.frame_log, error)) {
        log_.warning("can't create the frame log " + plan_.frame_log + ": " + error);
    }
    const double rate = double(plan_.rate_numerator) / double(plan_.rate_denominator);
    const bool two_pass = plan_.mode == RateMode::TwoPass;
    const int passes = two_pass ? 2 : 1;
    std::string stats;
    for (int pass_number = 1; pass_number <= passes; ++pass_number) {
        const Pass pass = !two_pass ? Pass::Single : pass_number == 1 ? Pass::First : Pass::Second;
        const bool final_pass = pass_number == passes;
        const bool psnr = final_pass && plan_.frame_log_psnr;
        Mpeg2Session session;
        if (!session.open(plan_, pass, stats, psnr, error)) {
            log_.error(error);
            return kExitEncode;
        }
        log_.line(text("pass %d of %d started at %s", pass_number, passes, clock_text().c_str()));
        PassStatistics statistics(plan_.frame_count, rate);
        StreamPatcher patcher(plan_, *types_);
        PassSink sink(plan_, log_, statistics, final_pass ? &patcher : nullptr, final_pass ? &output : nullptr,
                      final_pass ? frame_log.file() : nullptr);
        const double pass_start = platform::monotonic_seconds();
        if (!run_pass(pass, pass_number, passes, session, sink)) {
            log_.error(text("pass %d failed, the partial output was removed", pass_number));
            return final_pass && output.file() ? kExitOutput : kExitEncode;
        }
        for (const std::string& line : statistics.lines(text("pass %d", pass_number), platform::monotonic_seconds() - pass_start))
            log_.line(line);
        if (pass == Pass::First) stats = session.stats();
    }
    static const uint8_t kSequenceEnd[4] = {0, 0, 1, 0xB7};
    if (plan_.sequence_end_code && !output.write(kSequenceEnd, sizeof kSequenceEnd, error)) {
        log_.error("can't write " + output.temporary_path() + ": " + error);
        return kExitOutput;
    }
    if (!output.commit(error)) {
        log_.error("can't complete the output file " + plan_.output + ": " + error);
        return kExitOutput;
    }
    log_.line("output written: " + plan_.output);
    if (frame_log.file()) {
        if (frame_log.commit(error)) log_.line("frame log written: " + plan_.frame_log);
        else log_.warning("can't write the frame log " + plan_.frame_log + ": " + error);
    }
    if (!plan_.scd_file.empty()) write_scd_file();
    return kExitOk;
}

int EncodeRun::finish(int code) {
    const double seconds = platform::monotonic_seconds() - started_;
    if (code == kExitOk) {
        log_.line(text("encoding finished at %s after %.2f s, %d warnings", clock_text().c_str(), seconds, log_.warnings()));
        if (plan_.shutdown) log_.line(request_shutdown());
    } else {
        log_.line(text("encoding FAILED at %s after %.2f s (exit code %d)", clock_text().c_str(), seconds, code));
    }
    progress_.finished(code == kExitOk, code == kExitOk ? "encoding finished" : "encoding FAILED, see the log");
    route_library_messages(nullptr);
    log_.close();
    return code;
}

int EncodeRun::run() {
    started_ = platform::monotonic_seconds();
    route_library_messages(&log_);
    log_.line("QZenc 0.28 (MPEG-2 by libavcodec) started at " + clock_text());
    int code = load_settings();
    if (code == kExitOk) code = check_files();
    if (code == kExitOk) code = open_input();
    if (code == kExitOk) code = decide_plan();
    if (code == kExitOk) code = encode();
    return finish(code);
}

}  // namespace

WindowSettings peek_window_settings(const std::string& program_folder) {
    auto record = std::make_unique<settings::Settings>();
    WindowSettings window;
    if (read_encoder_settings(program_folder + kSettingsFileName, *record).outcome != SettingsOutcome::Read) return window;
    window.silent = record->is_given(settings::kSilent);
    window.preview = record->is_given(settings::kPreview) && !window.silent;
    window.wait_seconds = std::clamp(record->values.wait_seconds, 0, 99);
    return window;
}

int run_encode(const RunOptions& options, Progress& progress) {
    auto run = std::make_unique<EncodeRun>(options, progress);
    return run->run();
}

}  // namespace qz::encoder
