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

const char* open_failure_line(int code) {
    switch (code) {
        case kDgNotLoaded: return "error initializing DGDecode, dll not loaded";
        case kDgRoutinesMissing: return "error initializing DGDecode, can't load load routines from dll";
        case kDgOpenFailed: return "error initializing DGDecode, can't open mpeg file";
        case kDgNoSpecifications: return "error initializing DGDecode, mpeg file opened but can't read specifications";
        case kDgNoColourSpace: return "error initializing DGDecode, no YV12 or YUY2 color space";
        case kDgTooWide: return "width > 1920, not a valid MPEG2 resolution";
        case kDgTooHigh: return "height > 1152, not a valid MPEG2 resolution";
        case kDgTooLarge: return "width > 1920, height > 1152, not a valid MPEG2 resolution";
        default: return nullptr;  // 129 writes nothing
    }
}

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

// Steps before the project: the library of the project's version, replacing any loaded one.
bool load_project_library(App& app) {
    DgDecodeBridge& dgdecode = app.bridges.dgdecode;
    const std::string& library = app.video.kind.dgdecode_library;
    if (library.empty() || !platform::file_exists(library)) {
        app.log.add("DGDecode.dll NOT found in " + trimmed(app.paths.program_folder) + "DGDecode");
        leave_no_project(app);
        return false;
    }
    if (dg_unload_library(dgdecode) != kDgOk) app.log.add("ERROR unloading DGDecode.dll");
    if (dg_load_library(dgdecode, library) != kDgOk) {
        app.log.add("DGDecode.dll NOT loaded");
        // On Linux the usual cause is a library the decoder itself needs; the loader names it.
        const std::string reason = platform::last_library_error();
        if (!reason.empty()) app.log.add(reason);
        leave_no_project(app);
        return false;
    }
    const int32_t version = app.video.kind.project_version;
    if (!dgdecode_library_for(version)) {  // the input kind check lets no such project through
        leave_no_project(app);
        return false;
    }
    app.log.add("DGDecode.dll (project version " + std::to_string(version) + ") loaded");
    dg_mark_loaded_for_project(dgdecode, library);
    return true;
}

int resolution_code(const DgVideo& reported, int code) {
    const bool too_wide = reported.width > kMaxFrameWidth;
    const bool too_high = reported.height > kMaxFrameHeight;
    if (too_wide && too_high) return kDgTooLarge;
    if (too_wide) return kDgTooWide;
    if (too_high) return kDgTooHigh;
    return code;
}

void refuse_project(App& app, int code) {
    // The library's own reason, when it can give one, says which file or stream failed.
    const std::string reason = code == kDgOpenFailed ? dg_last_error_text(app.bridges.dgdecode) : std::string();
    leave_no_project(app);
    if (const char* line = open_failure_line(code)) app.log.add(line);
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

bool open_d2v_input(App& app) {
    app.bridges.kernels = select_conversion_kernels(app.cpu_level);
    // The library already loaded serves only the project it was loaded for: a project of another
    // version needs its own.
    if (!dg_loaded_for_project(app.bridges.dgdecode, app.video.kind.dgdecode_library) && !load_project_library(app)) {
        refresh_main_page(app);
        return false;
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
    if (code != kDgOk) {
        refuse_project(app, code);
        return false;
    }
    accept_project(app, reported);
    return true;
}

}  // namespace qz::input
