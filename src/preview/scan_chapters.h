// The chapter list the scene-change scan fills: frame numbers in order, at most as many as its storage
// holds (640000 in the program). Each frame is stored before the count that includes it is published,
// so a thread that reads count() and then the first count() frames sees whole entries only, even
// while the scan goes on.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

namespace qz::preview {

class ScanChapters {
public:
    explicit ScanChapters(std::span<int32_t> storage) : storage_(storage) {}

    // No chapters, every entry 0. Only while no scan runs, or by the scan itself.
    void clear();
    // Appends a frame; false, and nothing stored, when the storage is full.
    bool append(int32_t frame);

    int32_t count() const { return count_.load(std::memory_order_acquire); }
    std::span<const int32_t> frames() const { return storage_.first(size_t(count())); }
    size_t capacity() const { return storage_.size(); }

private:
    std::span<int32_t> storage_;
    std::atomic<int32_t> count_{0};
};

}  // namespace qz::preview
