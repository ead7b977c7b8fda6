// Opening a D2V project: the versioned DGDecode library, the project, the limits, the Video source.
#include "commands/input_open.h"
#include "pages/input_checks.h"

#include "commands/open_steps.h"
#include "platform/platform.h"

#include <string>

namespace qz::input {

namespace {

// Every refusal leaves no input and no library.
void leave_no_project(App& app) {
    forget_input(app);
    dg_unload_library(app.bridges.dgdecode);  // the library no longer counts as loaded for a project
    app.video.kind.is_d2v = false;
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

// Steps before the project: the library of the project's version, replacing any loaded one.
OpenOutcome load_project_library(App& app) {
    DgDecodeBridge& dgdecode = app.bridges.dgdecode;
    const std::string& library = app.video.kind.dgdecode_library;
    if (library.empty() || !platform::file_exists(library)) {
        write_open_outcome(app, OpenOutcome::dgdecode_not_found, trimmed(app.paths.program_folder));
        leave_no_project(app);
        return OpenOutcome::dgdecode_not_found;
    }
    if (dg_unload_library(dgdecode) != kDgOk) app.log.add("ERROR unloading DGDecode.dll");
    if (dg_load_library(dgdecode, library) != kDgOk) {
        write_open_outcome(app, OpenOutcome::dgdecode_not_loaded);
        // On Linux the usual cause is a library the decoder itself needs; the loader names it.
        const std::string reason = platform::last_library_error();
        if (!reason.empty()) app.log.add(reason);
        leave_no_project(app);
        return OpenOutcome::dgdecode_not_loaded;
    }
    const int32_t version = app.video.kind.project_version;
    if (!dgdecode_library_for(version)) {  // the input kind check lets no such project through
        leave_no_project(app);
        return OpenOutcome::project_version_unknown;
    }
    app.log.add("DGDecode.dll (project version " + std::to_string(version) + ") loaded");
    dg_mark_loaded_for_project(dgdecode, library);
    return OpenOutcome::opened;
}

int resolution_code(const DgVideo& reported, int code) {
    const bool too_wide = reported.width > kMaxFrameWidth;
    const bool too_high = reported.height > kMaxFrameHeight;
    if (too_wide && too_high) return kDgTooLarge;
    if (too_wide) return kDgTooWide;
    if (too_high) return kDgTooHigh;
    return code;
}

void refuse_project(App& app, OpenOutcome outcome) {
    // The library's own reason, when it can give one, says which file or stream failed.
    const std::string reason =
        outcome == OpenOutcome::project_not_opened ? dg_last_error_text(app.bridges.dgdecode) : std::string();
    leave_no_project(app);
    write_open_outcome(app, outcome);
    if (!reason.empty()) app.log.add(reason);
    refresh_main_page(app);
}

void accept_project(App& app, const DgVideo& reported) {
    VideoSource& video = app.video;
    app.log.add("DGDecode successfully initialized");
    // A library that can tell what it noticed about the project (its MPEG files end before its
    // index: a truncated copy) says so now, not only when a missing frame is asked for.
    const std::string warning = dg_last_error_text(app.bridges.dgdecode);
    if (!warning.empty()) app.log.add("WARNING, " + warning);
    video.open = true;
    app.settings.input_valid = true;
    store_rate(video, reported.rate_numerator, reported.rate_denominator);
    store_plane_sizes(video);
    apply_frame_range(app);
    refresh_main_page(app);
    check_input(app);
}

}  // namespace

OpenOutcome open_d2v_input(App& app) {
    app.bridges.kernels = select_conversion_kernels(app.cpu_level);
    // The library already loaded serves only the project it was loaded for: a project of another
    // version needs its own.
    if (!dg_loaded_for_project(app.bridges.dgdecode, app.video.kind.dgdecode_library)) {
        const OpenOutcome loaded = load_project_library(app);
        if (loaded != OpenOutcome::opened) {
            refresh_main_page(app);
            return loaded;
        }
    }

    VideoSource& video = app.video;
    // Only what the library reports counts: sizes of an earlier input must not decide the limits.
    video.width = video.height = video.frame_count = 0;
    DgVideo reported;
    int code = dg_open_video(app.bridges.dgdecode, input_path(app), reported);
    video.width = reported.width;
    video.height = reported.height;
    video.frame_count = reported.frame_count;

    code = resolution_code(reported, code);
    video.current_frame = 0;
    video.colour_space = reported.colour_space;
    if (code == kDgOk && video.colour_space == kOtherColourSpace) code = kDgNoColourSpace;
    const OpenOutcome outcome = dgdecode_open_outcome(code);
    if (outcome != OpenOutcome::opened) {
        refuse_project(app, outcome);
        return outcome;
    }
    accept_project(app, reported);
    return OpenOutcome::opened;
}

}  // namespace qz::input
