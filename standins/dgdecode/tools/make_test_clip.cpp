// qz-make-test-clip: writes an MPEG-2 clip whose pictures carry their frame numbers, and its D2V
// project.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "clip_writer.h"
#include "d2v_writer.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

const char kUsage[] =
    "usage: qz-make-test-clip [options] CLIP.m2v|CLIP.mpg|CLIP.ts\n"
    "  --size WxH            picture size (720x576)\n"
    "  --rate N/D            frame rate (25/1)\n"
    "  --frames N            number of frames (300)\n"
    "  --gop N               GOP length (12)\n"
    "  --bframes N           B pictures between references, 0 to 4 (2)\n"
    "  --closed-gops         closed GOPs (open by default)\n"
    "  --chroma 420|422      chroma format (420)\n"
    "  --interlaced          field-coded pictures, top field first\n"
    "  --pulldown            soft 3:2 pulldown (needs --rate 24000/1001)\n"
    "  --qscale N            fixed quantiser, 1 to 31 (2)\n"
    "  --files N             split into N files CLIP_1.ext .. CLIP_N.ext (1)\n"
    "  --d2v PATH            the project to write (CLIP with .d2v)\n"
    "  --d2v-version N       project format version, 6 to 16 (16)\n"
    "  --field-operation N   0 honour pulldown, 1 force film, 2 ignore pulldown (0)\n"
    "  --paths absolute|relative|backslash   how the project names its files (absolute)\n"
    "  --clipping L,R,T,B    the project's clipping (0,0,0,0)\n"
    "  --cut-at-gop N        then cut the MPEG file where GOP N (0-based) starts: a copy shorter\n"
    "                        than its project\n";

bool parse_pair(const char* text, char separator, int& a, int& b) {
    char* end = nullptr;
    long x = std::strtol(text, &end, 10);
    if (end == text || *end != separator) return false;
    const char* second = end + 1;
    long y = std::strtol(second, &end, 10);
    if (end == second || *end != '\0') return false;
    a = int(x);
    b = int(y);
    return true;
}

bool parse_int(const char* text, int& value) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0') return false;
    value = int(v);
    return true;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "qz-make-test-clip: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    qz::testclip::ClipSpec clip;
    qz::testclip::D2vSpec project;
    int cut_at_gop = -1;  // none
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = true;
        auto takes_value = [&] {
            if (!value) return false;
            ++i;
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--size") {
            ok = takes_value() && parse_pair(value, 'x', clip.width, clip.height);
        } else if (arg == "--rate") {
            ok = takes_value() && parse_pair(value, '/', clip.rate_numerator, clip.rate_denominator);
        } else if (arg == "--frames") {
            ok = takes_value() && parse_int(value, clip.frames);
        } else if (arg == "--gop") {
            ok = takes_value() && parse_int(value, clip.gop);
        } else if (arg == "--bframes") {
            ok = takes_value() && parse_int(value, clip.b_frames);
        } else if (arg == "--closed-gops") {
            clip.closed_gops = true;
        } else if (arg == "--chroma") {
            ok = takes_value() && (std::strcmp(value, "420") == 0 || std::strcmp(value, "422") == 0);
            if (ok) clip.chroma_422 = std::strcmp(value, "422") == 0;
        } else if (arg == "--interlaced") {
            clip.interlaced = true;
        } else if (arg == "--pulldown") {
            clip.pulldown = true;
        } else if (arg == "--qscale") {
            ok = takes_value() && parse_int(value, clip.qscale);
        } else if (arg == "--files") {
            ok = takes_value() && parse_int(value, clip.files);
        } else if (arg == "--d2v") {
            ok = takes_value();
            if (ok) project.d2v_path = value;
        } else if (arg == "--d2v-version") {
            ok = takes_value() && parse_int(value, project.version) && project.version >= 6 && project.version <= 16;
        } else if (arg == "--field-operation") {
            ok = takes_value() && parse_int(value, project.field_operation) && project.field_operation >= 0 &&
                 project.field_operation <= 2;
        } else if (arg == "--paths") {
            ok = takes_value();
            if (ok && std::strcmp(value, "absolute") == 0) project.paths = qz::testclip::PathStyle::absolute;
            else if (ok && std::strcmp(value, "relative") == 0) project.paths = qz::testclip::PathStyle::relative;
            else if (ok && std::strcmp(value, "backslash") == 0) project.paths = qz::testclip::PathStyle::relative_backslash;
            else ok = false;
        } else if (arg == "--clipping") {
            ok = takes_value() && std::sscanf(value, "%d,%d,%d,%d", &project.clip_left, &project.clip_right,
                                              &project.clip_top, &project.clip_bottom) == 4;
        } else if (arg == "--cut-at-gop") {
            ok = takes_value() && parse_int(value, cut_at_gop) && cut_at_gop >= 0;
        } else if (!arg.empty() && arg[0] != '-' && clip.path.empty()) {
            clip.path = std::string(arg);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fputs(kUsage, stderr);
            return fail("bad argument: " + std::string(arg));
        }
    }
    if (clip.path.empty()) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    if (project.d2v_path.empty()) {
        size_t dot = clip.path.find_last_of('.');
        project.d2v_path = clip.path.substr(0, dot) + ".d2v";
    }
    av_log_set_level(AV_LOG_ERROR);
    std::string error;
    if (!qz::testclip::write_clip(clip, project.stream_files, error)) return fail(error);
    qz::testclip::D2vSummary summary;
    if (!qz::testclip::write_d2v(project, error, &summary)) return fail(error);
    if (cut_at_gop >= 0 && !qz::testclip::cut_source_at_gop(project.d2v_path, cut_at_gop, error)) return fail(error);
    for (const std::string& file : project.stream_files) std::printf("%s\n", file.c_str());
    std::printf("%s (%d GOPs, %d pictures)\n", project.d2v_path.c_str(), summary.entries, summary.pictures);
    return 0;
}
