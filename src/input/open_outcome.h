// How opening an input ended, for either kind. Each refusal has its Message log lines in one table,
// open_outcome_text; what only the library can tell (its own reason, Avisynth's error text) is
// written by the caller after them.
#pragma once

#include <string>
#include <string_view>

namespace qz::input {

enum class OpenOutcome {
    opened,
    // Avisynth scripts
    avisynth_not_loaded,          // the loader found no library
    avisynth_no_create_function,  // the library does not export the environment's factory
    avisynth_function_missing,    // another function the bridge needs is not exported
    avisynth_too_old,             // no environment of interface version 6
    script_not_processed,         // the import raised an error or yielded no clip
    script_without_video,
    script_first_frame_failed,
    script_refused,               // the size or interface checks failed; each wrote its own line
    script_colour_space,          // neither YV12, YUY2, YV16 nor YV24
    script_no_conversion_memory,
    // D2V projects
    dgdecode_not_found,           // no library of the project's version in the DGDecode folder
    dgdecode_not_loaded,          // the library file is there but could not be loaded
    project_library_not_loaded,   // the open found no library loaded
    project_version_unknown,      // no library serves the project's version
    dgdecode_without_routines,
    project_not_opened,
    project_without_specifications,
    project_colour_space,
    project_too_wide,
    project_too_high,
    project_too_large,
};

// The log lines of an outcome, one per '\n'-separated part; empty for `opened` and for the outcomes
// whose lines were written as they were found (`script_refused`, `project_version_unknown`).
// `detail` fills the outcomes that name something: the missing function, the program folder.
std::string open_outcome_text(OpenOutcome outcome, std::string_view detail = {});

// The outcomes of the bridges' codes.
OpenOutcome avisynth_load_outcome(int avisynth_code);
OpenOutcome avisynth_import_outcome(int avisynth_code);
OpenOutcome dgdecode_open_outcome(int dgdecode_code);

}  // namespace qz::input
