// Writes an MPEG-2 test clip of pictures that carry their frame numbers (see test_pattern.h),
// encoded with libavcodec's MPEG-2 encoder at a fixed quantiser, as an elementary stream (.m2v),
// a program stream (.mpg) or a transport stream (.ts), optionally split into several files.
#pragma once

#include <string>
#include <vector>

namespace qz::testclip {

struct ClipSpec {
    std::string path;          // ends in .m2v, .mpg or .ts
    int width = 720;
    int height = 576;
    int rate_numerator = 25;
    int rate_denominator = 1;
    int frames = 300;
    int gop = 12;
    int b_frames = 2;
    bool closed_gops = false;
    bool chroma_422 = false;
    bool interlaced = false;   // field-coded, top field first
    // Soft 3:2 pulldown: the 24000/1001 film is flagged to play at 30000/1001.
    bool pulldown = false;
    int qscale = 2;
    int files = 1;             // more than one: path becomes name_1.ext, name_2.ext, ...
};

// Checks a spec; false with the reason in `error`.
bool check_clip_spec(const ClipSpec& spec, std::string& error);

// The stream files write_clip makes for a spec, in order.
std::vector<std::string> clip_file_names(const ClipSpec& spec);

// Writes the clip. `written` receives the stream files in order.
bool write_clip(const ClipSpec& spec, std::vector<std::string>& written, std::string& error);

}  // namespace qz::testclip
