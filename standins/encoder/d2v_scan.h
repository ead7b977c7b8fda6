// What a D2V project's picture flags say about the source: whether its pictures are interlaced and
// which field comes first. Used by the interlacing auto detection.
#pragma once

#include <string>

namespace qz::encoder {

struct D2vPictureFlags {
    long long pictures = 0;
    long long progressive = 0;      // progressive_frame set
    long long top_field_first = 0;  // top_field_first set
};

// Reads the data lines of the project (after its second blank line); false when it cannot be read.
bool scan_d2v_flags(const std::string& path, D2vPictureFlags& flags);

}  // namespace qz::encoder
