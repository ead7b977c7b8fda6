// Where the Avisynth library is: found through the dynamic loader's normal search, so a real
// installation is always the one found, and a stand-in only when the loader is pointed at it.
#pragma once

#include <array>
#include <string>

namespace qz::input {

// The names tried, in order: the development link first, then the interface versions from the
// newest down to 6 (AviSynth 2.6).
inline constexpr std::array<const char*, 7> kAvisynthLibraryNames = {
    "libavisynth.so",    "libavisynth.so.11", "libavisynth.so.10", "libavisynth.so.9",
    "libavisynth.so.8",  "libavisynth.so.7",  "libavisynth.so.6"};

enum AvisynthLookupStatus : int {
    kAvisynthNotFound = 0,
    kAvisynthLoadable = 1,       // it could be loaded, and was unloaded again at once
    kAvisynthAlreadyLoaded = 2,  // the process had it loaded already
};

struct AvisynthLocation {
    int status = kAvisynthNotFound;
    std::string path;  // the file the loader took; empty when not found
};

// Looks for an already loaded library under each name first, then tries to load each name in turn.
AvisynthLocation find_avisynth_library();

}  // namespace qz::input
