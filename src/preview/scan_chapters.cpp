#include "preview/scan_chapters.h"

#include <algorithm>

namespace qz::preview {

void ScanChapters::clear() {
    count_.store(0, std::memory_order_release);
    std::fill(storage_.begin(), storage_.end(), 0);
}

bool ScanChapters::append(int32_t frame) {
    const int32_t count = count_.load(std::memory_order_relaxed);
    if (size_t(count) >= storage_.size()) return false;
    storage_[size_t(count)] = frame;
    count_.store(count + 1, std::memory_order_release);
    return true;
}

}  // namespace qz::preview
