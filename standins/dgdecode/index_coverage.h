// Which pictures of a project's index its MPEG files actually hold. A copy shorter than the files
// the index was made from (a download or a disc read that stopped early) lacks the GOPs at and
// after the cut; a decoder must say those frames are not there rather than hand out others.
#pragma once

#include <string>
#include <vector>

#include "d2v_project.h"
#include "frame_map.h"
#include "source_files.h"

namespace qz::dgdecode {

// Per picture of the index (display order): true when its GOP's data lies wholly inside its file.
// A GOP is cut when it starts at or past the end of its file, or when the next GOP of the same file
// starts past that end. The last GOP of a file has no such bound; the decoder finds a cut there
// when the data ends before the picture.
std::vector<bool> pictures_inside_files(const D2vProject& project, const SourceFiles& files);

// The frames of `map` whose pictures are not all inside the files.
struct MissingFrames {
    int count = 0;
    int first = -1;  // -1 when none is missing
    int last = -1;
};
MissingFrames missing_frames(const FrameMap& map, const std::vector<bool>& inside);

// The warning an open gives for a project whose files are shorter than its index; empty when
// nothing is missing. Short enough for one line of a log.
std::string shorter_source_warning(const MissingFrames& missing);

}  // namespace qz::dgdecode
