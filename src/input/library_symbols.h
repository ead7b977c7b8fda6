// Resolving a run-time library's functions from a table that says which are required and which
// optional, through a loader that tests can replace (to load a fake library by its full path, or to
// make unloading fail).
#pragma once

#include "platform/platform.h"

#include <span>
#include <string>

namespace qz::input {

struct LibraryLoader {
    platform::LibraryHandle (*load)(const std::string& name_or_path) = platform::load_library;
    void* (*symbol)(platform::LibraryHandle library, const char* name) = platform::library_symbol;
    // False when the library could not be released.
    bool (*unload)(platform::LibraryHandle library) = unload_through_platform;

    static bool unload_through_platform(platform::LibraryHandle library);
};

struct SymbolSpec {
    const char* name;
    bool required;
};

// Looks every symbol up into `addresses` (same order as `specs`; absent ones become nullptr).
// Returns the index of the first required symbol that is missing, or -1 when all are there.
int resolve_symbols(const LibraryLoader& loader, platform::LibraryHandle library, std::span<const SymbolSpec> specs,
                    std::span<void*> addresses);

// A looked-up address as the function type it is known to have.
template <typename Function>
Function function_at(void* address) {
    return reinterpret_cast<Function>(address);
}

}  // namespace qz::input
