// The PE version-resource reader on arbitrary bytes: the information buttons read whatever file sits
// where the encoder or the Avisynth library is expected.
#include "input/pe_version.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<qz::input::FileVersion> version = qz::input::read_pe_version(std::span<const uint8_t>(data, size));
    if (version) {
        std::string line = qz::input::version_line(*version);
        if (line.find('\n') != std::string::npos) __builtin_trap();  // the report is one line
    }
    return 0;
}
