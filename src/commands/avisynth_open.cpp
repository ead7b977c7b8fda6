// Opening an Avisynth script: a new environment, the import, the checks against the encoder's
// limits (every problem is reported before the clip is refused), the Video source.
#include "commands/input_open.h"
#include "pages/input_checks.h"

#include "commands/open_steps.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace qz::input {

namespace {

void refuse_script(App& app) {
    forget_input(app);
    app.video.kind.is_avs = false;
    refresh_main_page(app);
}

// Avisynth's messages span several lines ("Script error: ...", then "(file, line 3, column 18)");
// each line that is not blank becomes a line of the log. False when the text holds nothing else.
bool write_error_text(App& app, const std::array<char, 512>& buffer) {
    std::string_view text(buffer.data(), std::char_traits<char>::length(buffer.data()));
    bool written = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t')) line.remove_suffix(1);
        if (line.empty()) continue;
        app.log.add(line);
        written = true;
    }
    return written;
}

// A script Avisynth could not process: its own error text follows the line, when it gave one.
void write_import_failure(App& app, OpenOutcome outcome) {
    write_open_outcome(app, outcome);
    if (outcome == OpenOutcome::script_not_processed && !write_error_text(app, app.bridges.avisynth.error_text))
        app.log.add("probably a script error, Avisynth did not return an error message");
}

// The checks that refuse a clip; every one that fails writes its line. True when all passed.
bool clip_acceptable(App& app, const AvsClip& clip) {
    bool acceptable = true;
    if (clip.interface_version < kAvisynthInterfaceVersion) {
        char version[48];
        std::snprintf(version, sizeof version, "current Avisynth_Interface_Version: %2d", clip.interface_version);
        app.log.add("Avisynth version too old, need at least 2.6 RC1 (Avisynth_Interface_Version 6 or higher)");
        app.log.add(version);
        acceptable = false;
    }
    const bool too_wide = clip.width > kMaxFrameWidth;
    const bool too_high = clip.height > kMaxFrameHeight;
    if (too_wide && too_high) app.log.add("width > 1920, height > 1152, resolution too high");
    else if (too_wide) app.log.add("width > 1920, horizontal resolution too high");
    else if (too_high) app.log.add("height > 1152, vertical resolution too high");
    if (too_wide || too_high) acceptable = false;
    if (clip.width % 8 != 0) {
        app.log.add("width: " + std::to_string(clip.width) + ", width not a multiple of 8");
        acceptable = false;
    }
    if (clip.height % 8 != 0) {
        app.log.add("height: " + std::to_string(clip.height) + ", height not a multiple of 8");
        acceptable = false;
    }
    return acceptable;
}

void accept_script(App& app, const AvsClip& clip) {
    VideoSource& video = app.video;
    video.open = true;
    app.settings.input_valid = true;
    store_plane_sizes(video);
    app.log.add("Avisynth successfully initialized");
    store_rate(video, clip.rate_numerator, clip.rate_denominator);
    app.bridges.opened_clip = clip;
    apply_frame_range(app);
    refresh_main_page(app);
    check_input(app);
}

}  // namespace

OpenOutcome open_avisynth_input(App& app) {
    InputBridges& bridges = app.bridges;
    VideoSource& video = app.video;
    video.current_frame = 0;
    video.kind.project_version = 0;
    bridges.kernels = select_conversion_kernels(app.cpu_level);

    avs_release(bridges.avisynth);
    const int32_t memory_before = avisynth_memory_setting(app);
    int32_t memory = memory_before;
    const OpenOutcome loaded = avisynth_load_outcome(avs_load(bridges.avisynth, memory));
    if (loaded != OpenOutcome::opened) {
        const char* missing = bridges.avisynth.missing_function;
        write_open_outcome(app, loaded, missing ? missing : "");
        refuse_script(app);
        return loaded;
    }
    app.log.add("Avisynth.dll loaded");
    app.settings.input_valid = false;
    store_avisynth_memory_setting(app, memory_before, memory);

    AvsClip clip;
    const OpenOutcome imported = avisynth_import_outcome(avs_import_script(bridges.avisynth, input_path(app), clip));
    if (imported != OpenOutcome::opened) {
        write_import_failure(app, imported);
        refuse_script(app);
        return imported;
    }
    video.width = clip.width;
    video.height = clip.height;
    video.frame_count = clip.frame_count;
    video.interface_version = clip.interface_version;

    const bool acceptable = clip_acceptable(app, clip);
    video.colour_space = clip.colour_space;
    if (video.colour_space == kOtherColourSpace) write_open_outcome(app, OpenOutcome::script_colour_space);
    if (video.colour_space == kOtherColourSpace || !acceptable) {
        refuse_script(app);
        return video.colour_space == kOtherColourSpace ? OpenOutcome::script_colour_space : OpenOutcome::script_refused;
    }
    if (video.colour_space != kYV12 && !bridges.ensure_scratch()) {
        write_open_outcome(app, OpenOutcome::script_no_conversion_memory);
        refuse_script(app);
        return OpenOutcome::script_no_conversion_memory;
    }
    accept_script(app, clip);
    return OpenOutcome::opened;
}

}  // namespace qz::input
