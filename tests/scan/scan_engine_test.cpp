// The scene-change scan's worker body on made-up clips: hard cuts become exactly their chapters,
// fades and black give none, the first frames never give one, a stop between frames keeps what was
// found, and random clips agree with a separate reference of the rules.
#include "preview/scan_engine.h"

#include "synthetic_clip.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <random>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace qz::preview;
using qz::scantest::Look;
using qz::scantest::reference_chapters;
using qz::scantest::SyntheticClip;

const unsigned kSeed = std::random_device{}();

struct RecordingReport : ScanReport {
    void log(std::string_view line) override { lines.emplace_back(line); }
    void progress(int32_t frame, int32_t position) override { steps.push_back({frame, position}); }
    void scene_change(int32_t chapter, int32_t current) override { changes.push_back({chapter, current}); }
    std::vector<std::string> lines;
    std::vector<std::pair<int32_t, int32_t>> steps, changes;
};

// One scan with a chapter list of the program's capacity.
struct ScanRun {
    explicit ScanRun(size_t capacity = 640000) : storage(capacity), chapters(storage) {}
    ScanResult scan(SyntheticClip& clip, const BlockKernels& kernels = select_block_kernels(99)) {
        static SceneChangeScan engine;  // one allocation for every test, as the program keeps one
        return engine.run(clip.video(), kernels, clip, report, chapters, stop);
    }
    std::vector<int32_t> found() const { return {chapters.frames().begin(), chapters.frames().end()}; }
    std::vector<int32_t> storage;
    ScanChapters chapters;
    RecordingReport report;
    std::atomic<bool> stop{false};
};

using Frames = std::vector<int32_t>;

TEST(ScanEngineTest, HardCutsBetweenStillShotsGiveExactlyThoseFrames) {
    SyntheticClip clip = SyntheticClip::with_cuts(176, 144, 60, {3, 10, 25, 40, 42});
    ScanRun run;
    const ScanResult result = run.scan(clip);
    EXPECT_EQ(result.outcome, ScanOutcome::finished);
    EXPECT_EQ(result.last_frame, 59);
    EXPECT_EQ(run.found(), (Frames{3, 10, 25, 40, 42}));
    EXPECT_EQ(run.found(), reference_chapters(clip));
    // Each change is declared one frame after the cut, the frame then drawn.
    const std::vector<std::pair<int32_t, int32_t>> declared{{3, 4}, {10, 11}, {25, 26}, {40, 41}, {42, 43}};
    EXPECT_EQ(run.report.changes, declared);
    EXPECT_EQ(run.report.lines, (std::vector<std::string>{"scene change chapters put into list"}));
    EXPECT_EQ(clip.fetch_count, 60);
}

TEST(ScanEngineTest, NoChapterBeforeFrame3AndConsecutiveCutsGiveOne) {
    for (int cut = 1; cut <= 5; ++cut) {
        SyntheticClip clip = SyntheticClip::with_cuts(64, 48, 12, {cut});
        ScanRun run;
        run.scan(clip);
        EXPECT_EQ(run.found(), cut < 3 ? Frames{} : Frames{cut}) << "cut at " << cut;
    }
    SyntheticClip twice = SyntheticClip::with_cuts(176, 144, 40, {20, 21});
    ScanRun run;
    run.scan(twice);
    EXPECT_EQ(run.found(), (Frames{20}));
}

TEST(ScanEngineTest, SlowFadeAndBlackGiveNone) {
    std::vector<Look> fade(90, Look{5, 256, 0});
    for (int n = 10; n < 90; ++n) fade[size_t(n)].fade = std::max(0, 256 - (n - 10) * 4);  // out over 64 frames
    SyntheticClip fading(176, 144, fade);
    ScanRun run;
    run.scan(fading);
    EXPECT_EQ(run.found(), Frames{});
    EXPECT_EQ(run.report.lines, (std::vector<std::string>{"no scene change found"}));

    SyntheticClip black(176, 144, std::vector<Look>(40, Look{0, 256, 0}));
    ScanRun dark;
    dark.scan(black);
    EXPECT_EQ(dark.found(), Frames{});
    EXPECT_EQ(dark.report.lines, (std::vector<std::string>{"no scene change found"}));
}

TEST(ScanEngineTest, OneFrameClipEndsAtOnce) {
    SyntheticClip clip = SyntheticClip::with_cuts(64, 48, 1, {});
    ScanRun run;
    const ScanResult result = run.scan(clip);
    EXPECT_EQ(result.outcome, ScanOutcome::finished);
    EXPECT_EQ(result.last_frame, 0);
    EXPECT_EQ(run.report.lines, (std::vector<std::string>{"no scene change found"}));
    EXPECT_TRUE(run.report.steps.empty());
    EXPECT_EQ(clip.fetch_count, 1);
}

// Progress moves the slider only forward, to frame x 1000 / frame count rounded, ending at the end.
TEST(ScanEngineTest, ProgressReachesTheEndOnlyForward) {
    SyntheticClip clip = SyntheticClip::with_cuts(32, 32, 2501, {});
    ScanRun run;
    run.scan(clip);
    ASSERT_FALSE(run.report.steps.empty());
    EXPECT_EQ(run.report.steps.front(), std::make_pair(1, 0));
    EXPECT_EQ(run.report.steps.back(), std::make_pair(2500, 1000));
    for (size_t k = 1; k < run.report.steps.size(); ++k) {
        const auto [frame, position] = run.report.steps[k];
        EXPECT_EQ(position, run.report.steps[k - 1].second + 1);
        EXPECT_EQ(position, (frame * 2000 + 2501) / 5002);
    }
}

// The stop request is seen before the next frame; chapters found so far stay, no end message.
TEST(ScanEngineTest, StopBetweenFramesKeepsChaptersFoundSoFar) {
    SyntheticClip clip = SyntheticClip::with_cuts(176, 144, 60, {5, 15, 28, 40});
    ScanRun run;
    clip.on_fetch = [&run](int32_t n) {
        if (n == 30) run.stop = true;
    };
    const ScanResult result = run.scan(clip);
    EXPECT_EQ(result.outcome, ScanOutcome::stopped);
    EXPECT_EQ(result.last_frame, 30);
    EXPECT_EQ(run.found(), (Frames{5, 15, 28}));
    EXPECT_TRUE(run.report.lines.empty());
    EXPECT_EQ(clip.fetch_count, 31);
}

// The program's way: the scan on a thread of its own, the stop requested from another while the
// chapter list is being read; the stopped scan's chapters are the first ones of the whole scan's.
TEST(ScanEngineTest, StopFromAnotherThreadWhileReadingTheList) {
    std::vector<int> cuts;
    for (int cut = 7; cut < 3000; cut += 9) cuts.push_back(cut);
    SyntheticClip clip = SyntheticClip::with_cuts(48, 32, 3000, cuts);
    ScanRun whole;
    whole.scan(clip);
    const Frames all = whole.found();

    ScanRun run;
    std::mutex mutex;
    std::condition_variable changed;
    int32_t declared = 0;
    struct Forwarding : RecordingReport {
        std::function<void()> on_change;
        void scene_change(int32_t chapter, int32_t current) override {
            RecordingReport::scene_change(chapter, current);
            on_change();
        }
    } report;
    report.on_change = [&] {
        std::lock_guard lock(mutex);
        ++declared;
        changed.notify_all();
    };
    // The worker goes on while the list is read, but waits at frame 2000 until the stop is requested,
    // so the stop always comes in the middle however the two threads are scheduled.
    clip.on_fetch = [&](int32_t n) {
        if (n != 2000) return;
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return run.stop.load(); });
    };
    static SceneChangeScan engine;
    ScanResult result;
    std::thread worker([&] { result = engine.run(clip.video(), select_block_kernels(99), clip, report, run.chapters, run.stop); });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return declared >= 20; });
    }
    // What another thread may read while the scan appends: whole entries, in order.
    int32_t seen = 0;
    bool in_order = true;
    while (seen < 60 && in_order) {
        const std::span<const int32_t> now = run.chapters.frames();
        for (size_t k = 0; k < now.size(); ++k) in_order = in_order && now[k] == all[k];
        seen = int32_t(now.size());
    }
    {
        std::lock_guard lock(mutex);
        run.stop = true;
        changed.notify_all();
    }
    worker.join();
    EXPECT_TRUE(in_order);
    EXPECT_EQ(result.outcome, ScanOutcome::stopped);
    const Frames found = run.found();
    ASSERT_GE(found.size(), size_t(seen));
    ASSERT_LT(found.size(), all.size());
    EXPECT_EQ(found, Frames(all.begin(), all.begin() + long(found.size())));
}

// A failed fetch leaves the previous frame in the planes; the scan goes on. A full list records no
// more, but every change is still declared.
TEST(ScanEngineTest, FailedFetchesAndAFullListDoNotEndTheScan) {
    for (bool into_target : {false, true}) {
        SyntheticClip clip = SyntheticClip::with_cuts(176, 144, 50, {6, 20, 30, 40});
        clip.failing = {12, 13, 33};
        clip.into_target = into_target;
        ScanRun run(2);
        const ScanResult result = run.scan(clip);
        EXPECT_EQ(result.outcome, ScanOutcome::finished);
        EXPECT_EQ(run.found(), (Frames{6, 20})) << "into the scan's planes: " << into_target;
        EXPECT_EQ(run.report.changes.size(), 4u);
        EXPECT_EQ(run.report.lines, (std::vector<std::string>{"scene change chapters put into list"}));
    }
}

// Frames of the largest sizes, heights and widths that are not multiples of 16: whole blocks only, no
// read outside the planes (which are exactly as large as the frame), the cuts still found.
TEST(ScanEngineTest, LargeAndUnevenFramesStayInsideTheirPlanes) {
    const int sizes[][2] = {{1920, 1152}, {1912, 1144}, {8, 8}};
    for (const auto& size : sizes) {
        SyntheticClip clip = SyntheticClip::with_cuts(size[0], size[1], 6, {4});
        ScanRun run;
        run.scan(clip);
        EXPECT_EQ(run.found(), size[0] > 16 ? Frames{4} : Frames{}) << size[0] << "x" << size[1];
    }
    // Sizes beyond the largest frame are measured within the scan's capacities.
    SceneChangeScan::BlockGrid grid = SceneChangeScan::block_grid({4000, 3000, 2, 4000 * 3000, 3000000});
    EXPECT_LE(grid.count(), kScanBlockCapacity);
    EXPECT_LE(size_t(grid.bands) * 16 * 4000, kScanLumaCapacity);
    EXPECT_EQ(SceneChangeScan::block_grid({1920, 1080, 2, 1920 * 1080, 1920 * 270}).count(), 120 * 67);
    EXPECT_EQ(SceneChangeScan::block_grid({1912, 1144, 2, 1912 * 1144, 1912 * 286}).count(), 119 * 71);
}

// Random clips of random accepted sizes: cuts, fades, noise and black in random order; every kernel
// variant gives the chapters of the separate reference, whether the frames are copied from the
// source's planes or fetched into the scan's own.
TEST(ScanEngineTest, RandomClipsAgreeWithTheReference) {
    std::mt19937 random(kSeed);
    for (int round = 0; round < 24; ++round) {
        const int width = 8 * int(1 + random() % 30), height = 8 * int(1 + random() % 24);
        std::vector<Look> looks;
        uint32_t shot = 1;
        Look last{shot};
        while (looks.size() < 70) {
            const int length = int(1 + random() % 12);
            Look look = last;
            look.fade = 256;
            look.noise = random() % 3 == 0 ? int(random() % 4) : 0;
            const int kind = int(random() % 8);
            if (kind == 0) look.shot = 0;                                             // black
            if (kind == 1 || kind == 2 || kind == 3) look = Look{++shot, 256, look.noise};  // a new shot
            if (kind == 4) look.brightness = int(random() % 61) - 30;                 // a brightness step
            if (kind == 5) {                                                          // some cells change
                look.patch = ++shot + 1000;
                look.patch_percent = int(1 + random() % 60);
            }
            if (kind == 6) look.contrast = int(24 + random() % 233);                  // a contrast step
            for (int n = 0; n < length; ++n) {
                if (kind == 7) look.fade = std::max(0, 256 - n * 256 / length);      // fade out
                looks.push_back(look);
            }
            last = looks.back();
        }
        SyntheticClip clip(width, height, looks);
        const Frames expected = reference_chapters(clip);
        for (const BlockKernelVariant& variant : block_kernel_variants()) {
            if (variant.level > block_kernels_supported_level()) continue;
            for (bool into_target : {false, true}) {
                clip.into_target = into_target;
                ScanRun run;
                run.scan(clip, variant.kernels);
                EXPECT_EQ(run.found(), expected) << variant.name << " " << width << "x" << height << " round " << round
                                                 << " into target " << into_target << " seed " << kSeed;
            }
        }
    }
}

}  // namespace
