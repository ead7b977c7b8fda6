// The 1920x1080 MPEG-2 clip with its D2V project that the fetch benchmarks share, made on first use
// in the build tree (never committed) and reused afterwards.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "clip_writer.h"
#include "d2v_writer.h"

namespace qz::bench {

inline constexpr int kBenchClipFrames = 1100;

struct BenchClip {
    std::string stream;
    std::string d2v;
    bool ok = false;
};

inline const BenchClip& bench_clip() {
    static const BenchClip clip = [] {
        BenchClip made;
        const std::string dir = QZ_BENCH_CLIP_DIR;
        std::filesystem::create_directories(dir);
        qz::testclip::ClipSpec spec;
        spec.path = dir + "/hd1080_v1.m2v";
        spec.width = 1920;
        spec.height = 1080;
        spec.frames = kBenchClipFrames;
        spec.qscale = 12;
        made.stream = spec.path;
        made.d2v = dir + "/hd1080_v1.d2v";
        if (std::filesystem::exists(made.d2v)) {
            made.ok = true;
            return made;
        }
        std::string error;
        std::vector<std::string> written;
        made.ok = qz::testclip::write_clip(spec, written, error);
        qz::testclip::D2vSpec project;
        project.d2v_path = made.d2v;
        project.stream_files = written;
        made.ok = made.ok && qz::testclip::write_d2v(project, error);
        if (!made.ok) std::fprintf(stderr, "cannot make the clip: %s\n", error.c_str());
        return made;
    }();
    return clip;
}

}  // namespace qz::bench
