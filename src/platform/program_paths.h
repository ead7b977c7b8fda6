// The program's own folder and the companion files beside it, and the processor facts the kernels
// and the encoder settings use. Found once at start-up; fixed afterwards.
#pragma once

#include "platform/platform.h"

#include <optional>
#include <string>

namespace qz::platform {

struct ProgramPaths {
    std::string program_file;
    std::string program_folder;  // up to and including the last separator; empty when there is none
    std::string dgdecode_folder;
    std::string matrix_folder;
    std::string default_settings_file;
    std::string encoder_file;
    std::string encoder_database_file;
    std::string working_dgdecode_copy;
};

// Builds every companion path from the program file's folder. `separator` is the platform's.
ProgramPaths build_program_paths(const std::string& program_file, char separator);

// Program discovery: the paths from the running executable, or from `home_folder` when given (the
// --home option), then the stale DGDecode copy of an earlier encode is deleted.
ProgramPaths discover_program(const std::optional<std::string>& home_folder);

struct ProcessorCount {
    bool several = false;  // more than one processor
    int count = 1;
};

// NUMBER_OF_PROCESSORS decides when it is set (2 or more means several; empty or not a number means
// one); when it is absent, as on Linux, the number of online processors decides.
ProcessorCount processor_count_from(const std::optional<std::string>& number_of_processors, int online_processors);
ProcessorCount read_processor_count();

// CPU level 0 to 7 from the processor's feature words: 0 none, 1 MMX with SSE, 2 SSE2, 3 SSE3,
// 4 SSSE3, 5 SSE4.1/4.2, 6 AVX, 7 AVX2.
int cpu_level_from(const platform::CpuFeatureWords& words);

}  // namespace qz::platform
