#include "input/open_outcome.h"

#include "input/avisynth_bridge.h"
#include "input/dgdecode_bridge.h"

namespace qz::input {

std::string open_outcome_text(OpenOutcome outcome, std::string_view detail) {
    switch (outcome) {
        case OpenOutcome::opened: return {};
        case OpenOutcome::avisynth_not_loaded: return "Avisynth.dll NOT loaded, LoadLibrary failed";
        case OpenOutcome::avisynth_no_create_function: return "can't load CreateScriptEnvironment address from Avisynth.dll";
        case OpenOutcome::avisynth_function_missing: return "can't load " + std::string(detail) + " address from Avisynth.dll";
        case OpenOutcome::avisynth_too_old:
            return "can't create Avisynth ScriptEnvironment\n"
                   "Avisynth version too old?, need at least 2.6 RC1 (Avisynth_Interface_Version 6 or higher)";
        case OpenOutcome::script_not_processed: return "can't process AVS file";
        case OpenOutcome::script_without_video: return "Avisynth does not return a video, can't load video";
        case OpenOutcome::script_first_frame_failed: return "error reading first frame";
        case OpenOutcome::script_refused: return {};
        case OpenOutcome::script_colour_space: return "video is not YV12, YUY2, YV16 or YV24 color space";
        case OpenOutcome::script_no_conversion_memory: return "not enough memory for the frame conversion buffers";
        case OpenOutcome::dgdecode_not_found: return "DGDecode.dll NOT found in " + std::string(detail) + "DGDecode";
        case OpenOutcome::dgdecode_not_loaded: return "DGDecode.dll NOT loaded";
        case OpenOutcome::project_library_not_loaded: return "error initializing DGDecode, dll not loaded";
        case OpenOutcome::project_version_unknown: return {};
        case OpenOutcome::dgdecode_without_routines: return "error initializing DGDecode, can't load load routines from dll";
        case OpenOutcome::project_not_opened: return "error initializing DGDecode, can't open mpeg file";
        case OpenOutcome::project_without_specifications:
            return "error initializing DGDecode, mpeg file opened but can't read specifications";
        case OpenOutcome::project_colour_space: return "error initializing DGDecode, no YV12 or YUY2 color space";
        case OpenOutcome::project_too_wide: return "width > 1920, not a valid MPEG2 resolution";
        case OpenOutcome::project_too_high: return "height > 1152, not a valid MPEG2 resolution";
        case OpenOutcome::project_too_large: return "width > 1920, height > 1152, not a valid MPEG2 resolution";
    }
    return {};
}

OpenOutcome avisynth_load_outcome(int avisynth_code) {
    switch (avisynth_code) {
        case kAvsOk: return OpenOutcome::opened;
        case kAvsNoCreateFunction: return OpenOutcome::avisynth_no_create_function;
        case kAvsFunctionMissing: return OpenOutcome::avisynth_function_missing;
        case kAvsNoEnvironment: return OpenOutcome::avisynth_too_old;
        default: return OpenOutcome::avisynth_not_loaded;
    }
}

OpenOutcome avisynth_import_outcome(int avisynth_code) {
    switch (avisynth_code) {
        case kAvsOk: return OpenOutcome::opened;
        case kAvsNoVideo: return OpenOutcome::script_without_video;
        case kAvsFirstFrameFailed: return OpenOutcome::script_first_frame_failed;
        default: return OpenOutcome::script_not_processed;
    }
}

OpenOutcome dgdecode_open_outcome(int dgdecode_code) {
    switch (dgdecode_code) {
        case kDgOk: return OpenOutcome::opened;
        case kDgRoutinesMissing: return OpenOutcome::dgdecode_without_routines;
        case kDgOpenFailed: return OpenOutcome::project_not_opened;
        case kDgNoSpecifications: return OpenOutcome::project_without_specifications;
        case kDgNoColourSpace: return OpenOutcome::project_colour_space;
        case kDgTooWide: return OpenOutcome::project_too_wide;
        case kDgTooHigh: return OpenOutcome::project_too_high;
        case kDgTooLarge: return OpenOutcome::project_too_large;
        default: return OpenOutcome::project_library_not_loaded;
    }
}

}  // namespace qz::input
