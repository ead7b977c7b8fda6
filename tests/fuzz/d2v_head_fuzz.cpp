// The D2V project head on arbitrary bytes: no crash, no access outside a buffer, and flags that
// agree with each other.
#include "input/input_kind.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    qz::settings::TextLineReader lines(text);
    int asked = 0;
    qz::input::InputKind kind = qz::input::check_d2v_head(lines, "/project/", "/program/DGDecode/", [&](const std::string& path) {
        ++asked;
        return path.size() % 4 != 0;
    });
    if (kind.is_d2v != kind.project_usable) std::abort();
    if (kind.project_usable && (!kind.sources_present || qz::input::dgdecode_library_for(kind.project_version) == nullptr))
        std::abort();
    return 0;
}
