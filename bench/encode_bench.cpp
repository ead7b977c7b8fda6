// The encoder against the ffmpeg command: the same 720x576 25 fps source (our encoder reads it
// through its D2V project and the DGDecode stand-in, ffmpeg reads the MPEG-2 file itself), the
// same MPEG-2 options (bitrate, VBV, GOP 12 with 2 B-frames and no scene cuts of ffmpeg's own,
// macroblock decisions by bits, complexity masking 0.1, table 15, 9-bit DC), one and two passes.
// Prints frames per second of each and ours / ffmpeg as a ratio.
#include <benchmark/benchmark.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "clip_writer.h"
#include "d2v_writer.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFrames = 250;

struct Setup {
    bool ok = false;
    fs::path folder;
    std::string stream, d2v;
};

const Setup& setup() {
    static const Setup made = [] {
        Setup s;
        const fs::path clips = QZ_BENCH_CLIP_DIR;
        fs::create_directories(clips);
        s.stream = (clips / "pal_encode_v1.m2v").string();
        s.d2v = (clips / "pal_encode_v1.d2v").string();
        std::string error;
        if (!fs::exists(s.d2v)) {
            qz::testclip::ClipSpec spec;
            spec.path = s.stream;
            spec.frames = kFrames;
            spec.qscale = 3;
            std::vector<std::string> written;
            qz::testclip::D2vSpec project;
            project.d2v_path = s.d2v;
            if (!qz::testclip::write_clip(spec, written, error)) return s;
            project.stream_files = written;
            if (!qz::testclip::write_d2v(project, error)) return s;
        }
        s.folder = fs::path(QZ_BENCH_CLIP_DIR) / "encoder_home";
        fs::remove_all(s.folder);
        fs::create_directories(s.folder);
        fs::copy_file(QZ_ENCODER_EXE, s.folder / "QZenc_028.exe");
        fs::copy_file(std::string(QZ_DGDECODE_DIR) + "/DGDecode16.dll", s.folder / "DGDecode.dll");
        s.ok = true;
        return s;
    }();
    return made;
}

double g_ours[3] = {0, 0, 0}, g_ffmpeg[3] = {0, 0, 0};  // fps by passes

bool run_ours(int passes) {
    const Setup& s = setup();
    std::ofstream(s.folder / "QZ.ini") << "*INFILE           " << s.d2v << "\n*OUTFILE          " << (s.folder / "ours.m2v").string()
                                       << "\n*LOGFILE          " << (s.folder / "ours.log").string()
                                       << "\n*BITRATE          6000\n*MAXBITRATE       9800\n*GOP              12 2\n*NOSCD\n"
                                       << "*PRIORITY         normal\n*MATRIX           mpegstd\n"
                                       << (passes == 1 ? "*1PASS\n" : "");
    const std::string command = "'" + (s.folder / "QZenc_028.exe").string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

bool run_ffmpeg(int passes) {
    const Setup& s = setup();
    const std::string common = "ffmpeg -v error -y -i '" + s.stream +
                               "' -c:v mpeg2video -b:v 6000k -maxrate 9800k -bufsize 1835008 -g 600 -bf 2 -b_strategy 0"
                               " -sc_threshold 1000000000 -mbd bits -scplx_mask 0.1 -intra_vlc 1 -dc 9 -profile:v 4 -level:v 8"
                               " -aspect 16:9 -passlogfile '" + (s.folder / "ffmpeg2pass").string() + "'";
    const std::string out = "'" + (s.folder / "ffmpeg.m2v").string() + "'";
    if (passes == 1) return std::system((common + " -force_key_frames 'expr:not(mod(n,12))' " + out).c_str()) == 0;
    const std::string keys = " -force_key_frames 'expr:not(mod(n,12))'";
    return std::system((common + keys + " -pass 1 -f null /dev/null").c_str()) == 0 &&
           std::system((common + keys + " -pass 2 " + out).c_str()) == 0;
}

void BM_Encode(benchmark::State& state, bool ours, int passes) {
    if (!setup().ok) {
        state.SkipWithError("cannot make the source clip");
        return;
    }
    for (auto _ : state) {
        const double start = qz::platform::monotonic_seconds();
        const bool ok = ours ? run_ours(passes) : run_ffmpeg(passes);
        const double seconds = qz::platform::monotonic_seconds() - start;
        if (!ok) {
            state.SkipWithError("the encode failed");
            return;
        }
        state.SetIterationTime(seconds);
        double& best = ours ? g_ours[passes] : g_ffmpeg[passes];
        best = std::max(best, kFrames / seconds);
    }
    state.counters["fps"] = ours ? g_ours[passes] : g_ffmpeg[passes];
}

BENCHMARK_CAPTURE(BM_Encode, ours_1pass, true, 1)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, ffmpeg_1pass, false, 1)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, ours_2pass, true, 2)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(3);
BENCHMARK_CAPTURE(BM_Encode, ffmpeg_2pass, false, 2)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (int passes : {1, 2}) {
        if (g_ours[passes] > 0 && g_ffmpeg[passes] > 0)
            std::printf("%d pass%s: ours %.1f fps, ffmpeg %.1f fps, ratio ours/ffmpeg %.2f\n", passes, passes == 1 ? "" : "es",
                        g_ours[passes], g_ffmpeg[passes], g_ours[passes] / g_ffmpeg[passes]);
    }
    return 0;
}
