#include "preview/scan_engine.h"

#include "preview/scan_detector.h"

#include <algorithm>

namespace qz::preview {

// The previous frame's planes, kept apart from every buffer the frame source writes into, a second
// set for sources that fetch into the scan's own planes (the two sets then alternate), and the block
// sums of the current and the previous frame.
struct SceneChangeScan::Workspace {
    std::array<uint8_t, kScanLumaCapacity> previous_y{};
    std::array<uint8_t, kScanChromaCapacity> previous_u{};
    std::array<uint8_t, kScanChromaCapacity> previous_v{};
    std::array<uint8_t, kScanLumaCapacity> current_y{};
    std::array<uint8_t, kScanChromaCapacity> current_u{};
    std::array<uint8_t, kScanChromaCapacity> current_v{};
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

// The current and the previous frame, step by step. A source that fetches into the scan's planes
// alternates the two sets; any other source's frame is copied into the previous set before the next
// fetch overwrites it.
class FrameSteps {
public:
    // `current` and `previous` are the scan's two sets of planes; a copying source uses `previous` only.
    FrameSteps(ScanTarget current, ScanTarget previous, ScanFrameSource& source, const BlockKernels& kernels,
               size_t luma_bytes, size_t chroma_bytes)
        : source_(source), kernels_(kernels), luma_bytes_(luma_bytes), chroma_bytes_(chroma_bytes),
          into_target_(source.fetches_into_target()), sets_{current, previous} {}

    void first(int32_t n) {
        if (into_target_) {
            if (!source_.fetch_frame_into(n, sets_[current_])) clear(sets_[current_]);
        } else {
            source_.fetch_frame(n);
        }
    }

    // Brings frame n as the current frame; returns the previous one.
    ScanPlanes next(int32_t n) {
        if (!into_target_) {
            const ScanPlanes planes = source_.planes();
            copy(planes, sets_[1]);
            source_.fetch_frame(n);
            return planes_of(sets_[1]);
        }
        const size_t previous = current_;
        current_ ^= 1;
        // A frame that cannot be had leaves the previous one in its place, as a source's own planes do.
        if (!source_.fetch_frame_into(n, sets_[current_])) copy(planes_of(sets_[previous]), sets_[current_]);
        return planes_of(sets_[previous]);
    }

    ScanPlanes current() const { return into_target_ ? planes_of(sets_[current_]) : source_.planes(); }

private:
    static ScanPlanes planes_of(const ScanTarget& t) { return {t.y, t.u, t.v}; }
    void copy(const ScanPlanes& from, const ScanTarget& to) const {
        kernels_.plane_copy(from.y, to.y, luma_bytes_);
        kernels_.plane_copy(from.u, to.u, chroma_bytes_);
        kernels_.plane_copy(from.v, to.v, chroma_bytes_);
    }
    void clear(const ScanTarget& t) const {
        std::fill_n(t.y, luma_bytes_, uint8_t{0});
        std::fill_n(t.u, chroma_bytes_, uint8_t{128});
        std::fill_n(t.v, chroma_bytes_, uint8_t{128});
    }

    ScanFrameSource& source_;
    const BlockKernels& kernels_;
    size_t luma_bytes_, chroma_bytes_;
    bool into_target_;
    ScanTarget sets_[2];
    size_t current_ = 0;
};

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
    FrameSteps steps({w.current_y.data(), w.current_u.data(), w.current_v.data()},
                     {w.previous_y.data(), w.previous_u.data(), w.previous_v.data()}, source, kernels, luma_bytes,
                     chroma_bytes);
    if (video.frame_count > 0) steps.first(0);
    int32_t last_slider_position = -1;  // the first frame compared always shows

    for (int32_t i = 1; i < video.frame_count; ++i) {
        if (stop_requested.load()) {
            result.outcome = ScanOutcome::stopped;
            return result;
        }
        const ScanPlanes previous = steps.next(i);
        result.last_frame = i;
        const ScanPlanes planes = steps.current();

        ScanMeasures measures;
        measures.luma_difference = kernels.plane_difference(planes.y, previous.y, luma_bytes);
        measures.u_difference = kernels.plane_difference(planes.u, previous.u, chroma_bytes);
        measures.v_difference = kernels.plane_difference(planes.v, previous.v, chroma_bytes);

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
            kernels.block_stats_row(planes.y + at, previous.y + at, pitch, grid.columns, w.band_stats.data());
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
