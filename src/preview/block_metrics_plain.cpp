// The plain references of the block metrics: written for clarity, they define what every vector
// variant must give bit for bit.
#include "preview/block_metrics.h"

#include <cstring>

namespace qz::preview {

namespace {

constexpr size_t kChunkBytes = 256;
constexpr int kBlockSize = 16;

// The sums of one field (eight lines two apart) of one block.
struct FieldSums {
    uint32_t sum = 0;
    uint32_t squares = 0;
    uint32_t difference = 0;
};

FieldSums field_sums(const uint8_t* current, const uint8_t* previous, size_t pitch) {
    FieldSums sums;
    for (int line = 0; line < kBlockSize; line += 2) {
        const uint8_t* c = current + size_t(line) * pitch;
        const uint8_t* p = previous + size_t(line) * pitch;
        for (int column = 0; column < kBlockSize; ++column) {
            const uint32_t sample = c[column];
            sums.sum += sample;
            sums.squares += sample * sample;
            sums.difference += uint32_t(sample > p[column] ? sample - p[column] : p[column] - sample);
        }
    }
    return sums;
}

}  // namespace

void plane_copy_plain(const uint8_t* source, uint8_t* target, size_t bytes) {
    if (bytes > 0) std::memcpy(target, source, bytes);  // memcpy wants real pointers even for no bytes
}

uint32_t plane_difference_plain(const uint8_t* a, const uint8_t* b, size_t bytes) {
    const size_t counted = bytes / kChunkBytes * kChunkBytes;
    uint32_t total = 0;
    for (size_t k = 0; k < counted; ++k) total += uint32_t(a[k] > b[k] ? a[k] - b[k] : b[k] - a[k]);
    return total;
}

void block_stats_row_plain(const uint8_t* current, const uint8_t* previous, size_t pitch, int block_count,
                           BlockStats* out) {
    for (int j = 0; j < block_count; ++j) {
        const size_t column = size_t(j) * kBlockSize;
        const FieldSums top = field_sums(current + column, previous + column, pitch);
        const FieldSums bottom = field_sums(current + column + pitch, previous + column + pitch, pitch);
        const uint32_t sum = top.sum + bottom.sum;
        BlockStats& stats = out[j];
        stats.top_sum = int32_t(top.sum);
        stats.top_difference = int32_t(top.difference);
        stats.bottom_sum = int32_t(bottom.sum);
        stats.bottom_difference = int32_t(bottom.difference);
        stats.sum = int32_t(sum);
        stats.difference = int32_t(top.difference + bottom.difference);
        // S is at most 256 x 255 = 65280, so S * S fits an unsigned 32-bit product.
        stats.variance = int32_t(top.squares + bottom.squares - sum * sum / 256);
    }
}

}  // namespace qz::preview
