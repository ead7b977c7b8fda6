#include "input/library_symbols.h"

namespace qz::input {

bool LibraryLoader::unload_through_platform(platform::LibraryHandle library) {
    // The platform reports no failure of a release; a handle it gave out is always released.
    platform::unload_library(library);
    return true;
}

int resolve_symbols(const LibraryLoader& loader, platform::LibraryHandle library, std::span<const SymbolSpec> specs,
                    std::span<void*> addresses) {
    int first_missing = -1;
    for (size_t i = 0; i < specs.size() && i < addresses.size(); ++i) {
        addresses[i] = library ? loader.symbol(library, specs[i].name) : nullptr;
        if (!addresses[i] && specs[i].required && first_missing < 0) first_missing = static_cast<int>(i);
    }
    return first_missing;
}

}  // namespace qz::input
