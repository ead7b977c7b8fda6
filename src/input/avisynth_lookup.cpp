#include "input/avisynth_lookup.h"

#include "platform/platform.h"

namespace qz::input {

namespace {

// Every Avisynth C interface exports it; its address tells which file the loader took.
constexpr const char* kProbeSymbol = "avs_create_script_environment";

std::string file_of(platform::LibraryHandle library, const char* name) {
    std::string path = platform::library_file_path(library, kProbeSymbol);
    return path.empty() ? std::string(name) : path;
}

}  // namespace

AvisynthLocation find_avisynth_library() {
    AvisynthLocation found;
    for (const char* name : kAvisynthLibraryNames) {
        if (platform::LibraryHandle library = platform::loaded_library(name)) {
            found.status = kAvisynthAlreadyLoaded;
            found.path = file_of(library, name);
            platform::unload_library(library);  // gives back only the reference taken here
            return found;
        }
    }
    for (const char* name : kAvisynthLibraryNames) {
        if (platform::LibraryHandle library = platform::load_library(name)) {
            found.status = kAvisynthLoadable;
            found.path = file_of(library, name);
            platform::unload_library(library);
            return found;
        }
    }
    return found;
}

}  // namespace qz::input
