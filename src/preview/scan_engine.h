// The worker body of the scene-change scan: every frame of the input against the one before it,
// each declared scene change appended to a chapter list.
//
// The engine knows no window, no program state and no thread: the caller hands it the video's
// sizes, a frame source, a report sink for log lines, progress and scene changes, the kernels of its
// CPU level, the chapter list to fill and a stop request that is checked between frames. The caller
// runs it on a worker thread of its own; everything the report receives arrives on that thread.
#pragma once

#include "preview/block_metrics.h"
#include "preview/scan_chapters.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>

namespace qz::preview {

// The largest frame the scan measures; larger sizes are measured within these bounds.
inline constexpr int kScanMaxWidth = 1920;
inline constexpr int kScanMaxHeight = 1152;
inline constexpr size_t kScanLumaCapacity = size_t{kScanMaxWidth} * kScanMaxHeight;
inline constexpr size_t kScanChromaCapacity = kScanLumaCapacity / 4;
inline constexpr int kScanBlockColumns = kScanMaxWidth / 16;
inline constexpr int kScanBlockCapacity = kScanBlockColumns * (kScanMaxHeight / 16);  // 8640

// The end messages of a scan that went through all frames.
inline constexpr std::string_view kScanFoundText = "scene change chapters put into list";
inline constexpr std::string_view kScanNothingFoundText = "no scene change found";

// The video as the scan sees it.
struct ScanVideo {
    int32_t width = 0;         // luma width in samples: the row pitch of the Y plane
    int32_t height = 0;        // luma lines
    int32_t frame_count = 0;
    int32_t luma_bytes = 0;    // bytes of the Y plane compared, the luma size at the open
    int32_t chroma_bytes = 0;  // bytes of each of U and V compared, a quarter of the luma size
};

// Where the frame source puts each frame. The planes hold at least the video's luma and chroma
// bytes (within the scan's capacities).
struct ScanPlanes {
    const uint8_t* y = nullptr;
    const uint8_t* u = nullptr;
    const uint8_t* v = nullptr;
};

// Planes the scan owns, of its capacities (kScanLumaCapacity and kScanChromaCapacity bytes).
struct ScanTarget {
    uint8_t* y = nullptr;
    uint8_t* u = nullptr;
    uint8_t* v = nullptr;
};

class ScanFrameSource {
public:
    virtual ~ScanFrameSource() = default;
    // Brings frame n into planes(). False when it could not: the planes keep their previous content
    // and the source has reported why itself; the scan goes on with the next frame.
    virtual bool fetch_frame(int32_t n) = 0;
    virtual ScanPlanes planes() const = 0;

    // A source that can bring a frame into planes the scan names lets the scan keep the current and
    // the previous frame in two sets of its own and alternate them, instead of copying the previous
    // frame at every step.
    virtual bool fetches_into_target() const { return false; }
    // Brings frame n into `target`; false as fetch_frame (the scan then keeps the previous frame).
    virtual bool fetch_frame_into(int32_t, const ScanTarget&) { return false; }
};

// What the scan tells its caller, on the scan's thread.
class ScanReport {
public:
    virtual ~ScanReport() = default;
    // A line for the Message log.
    virtual void log(std::string_view line) = 0;
    // Frame `frame` is being compared and the slider position (frame x 1000 / frame count, rounded)
    // has grown: at most 1001 calls per scan.
    virtual void progress(int32_t frame, int32_t slider_position) = 0;
    // A scene change was declared at `current_frame`: the new scene starts at `chapter_frame`
    // (current_frame - 1), which the chapter list holds unless it was full. The planes hold the
    // current frame, to be drawn in the preview.
    virtual void scene_change(int32_t chapter_frame, int32_t current_frame) = 0;
};

enum class ScanOutcome {
    finished,  // every frame compared, the end message written
    stopped,   // the stop request was seen between two frames; no message written
};

struct ScanResult {
    ScanOutcome outcome = ScanOutcome::finished;
    int32_t last_frame = 0;  // the last frame fetched: the preview's current frame after the scan
};

class SceneChangeScan {
public:
    // Allocates the previous frame's planes and the block sums once (about 3.3 MB).
    SceneChangeScan();
    ~SceneChangeScan();
    SceneChangeScan(const SceneChangeScan&) = delete;
    SceneChangeScan& operator=(const SceneChangeScan&) = delete;

    // Scans every frame: clears `chapters`, fetches frame 0, then compares frames 1 to frame count - 1
    // each with the one before, until done or until `stop_requested` is seen before a frame. Allocates
    // nothing. One scan at a time per object.
    ScanResult run(const ScanVideo& video, const BlockKernels& kernels, ScanFrameSource& source, ScanReport& report,
                   ScanChapters& chapters, const std::atomic<bool>& stop_requested);

    // The 16 x 16 blocks measured in a frame: whole blocks only, bands of them from the top, so no
    // block reaches outside the frame. A band that would pass the bottom line and columns after the
    // last whole block are left out.
    struct BlockGrid {
        int columns = 0;
        int bands = 0;
        int count() const { return columns * bands; }
    };
    static BlockGrid block_grid(const ScanVideo& video);

private:
    struct Workspace;
    std::unique_ptr<Workspace> workspace_;
};

}  // namespace qz::preview
