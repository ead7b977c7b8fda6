#include "preview/scan_engine.h"

#include "preview/scan_detector.h"

#include <algorithm>

namespace qz::preview {

// The previous frame's planes, kept apart from every buffer the frame source writes into, and the
// block sums of the current and the previous frame.
struct SceneChangeScan::Workspace {
    std::array<uint8_t, kScanLumaCapacity> previous_y{};
    std::array<uint8_t, kScanChromaCapacity> previous_u{};
    std::array<uint8_t, kScanChromaCapacity> previous_v{};
    std::array<int32_t, kScanBlockCapacity> block_sums{};
    std::array<int32_t, kScanBlockCapacity> previous_block_sums{};
    std::array<BlockStats, kScanBlockColumns> band_stats{};
};

namespace {

// The plane sizes compared, within what the previous planes hold.
size_t luma_bytes_of(const ScanVideo& video) {
    return std::clamp<size_t>(size_t(std::max(video.luma_bytes, 0)), 0, kScanLumaCapacity);
}
size_t chroma_bytes_of(const ScanVideo& video) {
    return std::clamp<size_t>(size_t(std::max(video.chroma_bytes, 0)), 0, kScanChromaCapacity);
}

// frame x 1000 / frame count, rounded to the nearest integer (halves away from zero).
int32_t slider_position(int32_t frame, int32_t frame_count) {
    return int32_t((int64_t(frame) * 2000 + frame_count) / (int64_t(frame_count) * 2));
}

}  // namespace

SceneChangeScan::SceneChangeScan() : workspace_(std::make_unique<Workspace>()) {}
SceneChangeScan::~SceneChangeScan() = default;

SceneChangeScan::BlockGrid SceneChangeScan::block_grid(const ScanVideo& video) {
    BlockGrid grid;
    if (video.width < 16 || video.height < 16) return grid;
    grid.columns = std::min(video.width / 16, kScanBlockColumns);
    // Every band read lies within the luma bytes the source holds, whatever the sizes claim.
    const size_t band_bytes = size_t(video.width) * 16;
    const size_t bands_held = luma_bytes_of(video) / band_bytes;
    grid.bands = int(std::min<size_t>({size_t(video.height / 16), size_t(kScanMaxHeight / 16), bands_held}));
    return grid;
}

ScanResult SceneChangeScan::run(const ScanVideo& video, const BlockKernels& kernels, ScanFrameSource& source,
                                ScanReport& report, ScanChapters& chapters, const std::atomic<bool>& stop_requested) {
    Workspace& w = *workspace_;
    const size_t luma_bytes = luma_bytes_of(video);
    const size_t chroma_bytes = chroma_bytes_of(video);
    const BlockGrid grid = block_grid(video);
    const size_t pitch = size_t(std::max(video.width, 0));

    chapters.clear();
    w.block_sums.fill(0);
    SceneChangeDetector detector({int64_t(luma_bytes), int64_t(chroma_bytes), grid.count()});

    ScanResult result;
    if (stop_requested.load()) return {ScanOutcome::stopped, 0};
    if (video.frame_count > 0) source.fetch_frame(0);
    int32_t last_slider_position = -1;  // the first frame compared always shows

    for (int32_t i = 1; i < video.frame_count; ++i) {
        if (stop_requested.load()) {
            result.outcome = ScanOutcome::stopped;
            return result;
        }
        ScanPlanes planes = source.planes();
        kernels.plane_copy(planes.y, w.previous_y.data(), luma_bytes);
        kernels.plane_copy(planes.u, w.previous_u.data(), chroma_bytes);
        kernels.plane_copy(planes.v, w.previous_v.data(), chroma_bytes);
        source.fetch_frame(i);
        result.last_frame = i;
        planes = source.planes();

        ScanMeasures measures;
        measures.luma_difference = kernels.plane_difference(planes.y, w.previous_y.data(), luma_bytes);
        measures.u_difference = kernels.plane_difference(planes.u, w.previous_u.data(), chroma_bytes);
        measures.v_difference = kernels.plane_difference(planes.v, w.previous_v.data(), chroma_bytes);

        const int32_t position = slider_position(i, video.frame_count);
        if (position > last_slider_position) {
            last_slider_position = position;
            report.progress(i, position);
        }

        // The block pass, band by band in raster order.
        w.previous_block_sums = w.block_sums;
        size_t block = 0;
        for (int band = 0; band < grid.bands; ++band) {
            const size_t at = size_t(band) * 16 * pitch;
            kernels.block_stats_row(planes.y + at, w.previous_y.data() + at, pitch, grid.columns, w.band_stats.data());
            for (int column = 0; column < grid.columns; ++column, ++block) {
                const BlockStats& stats = w.band_stats[size_t(column)];
                const int32_t before = w.previous_block_sums[block];
                measures.block_change += uint64_t(before > stats.sum ? before - stats.sum : stats.sum - before) / 256;
                measures.texture += uint64_t(stats.variance);
                measures.luma_sum += uint64_t(stats.sum);
                w.block_sums[block] = stats.sum;
            }
        }

        if (detector.step(measures)) {
            chapters.append(i - 1);  // refused once the list is full
            report.scene_change(i - 1, i);
        }
    }
    report.log(chapters.count() > 0 ? kScanFoundText : kScanNothingFoundText);
    return result;
}

}  // namespace qz::preview
