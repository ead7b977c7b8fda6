#include "index_coverage.h"

namespace qz::dgdecode {

std::vector<bool> pictures_inside_files(const D2vProject& project, const SourceFiles& files) {
    std::vector<bool> inside(project.picture_flags.size(), true);
    const std::vector<D2vEntry>& entries = project.entries;
    for (size_t i = 0; i < entries.size(); ++i) {
        const D2vEntry& entry = entries[i];
        const int64_t file_size = files.size_of(entry.file);
        bool whole = entry.position < file_size;
        if (whole && i + 1 < entries.size() && entries[i + 1].file == entry.file)
            whole = entries[i + 1].position <= file_size;
        if (whole) continue;
        for (int p = 0; p < entry.picture_count; ++p) inside[size_t(entry.first_picture + p)] = false;
    }
    return inside;
}

MissingFrames missing_frames(const FrameMap& map, const std::vector<bool>& inside) {
    MissingFrames missing;
    bool any = false;
    for (bool in : inside) any = any || !in;
    if (!any) return missing;
    for (int frame = 0; frame < map.frame_count(); ++frame) {
        const FrameSources sources = map.sources(frame);
        if (inside[size_t(sources.top_picture)] && inside[size_t(sources.bottom_picture)]) continue;
        if (missing.first < 0) missing.first = frame;
        missing.last = frame;
        ++missing.count;
    }
    return missing;
}

std::string shorter_source_warning(const MissingFrames& missing) {
    if (missing.count == 0) return {};
    const std::string first = std::to_string(missing.first), last = std::to_string(missing.last);
    // Several files, one of them cut in the middle of the set, leave gaps rather than one tail.
    const bool one_range = missing.count == missing.last - missing.first + 1;
    return "the MPEG files are shorter than the index: " +
           (one_range ? "frames " + first + " to " + last
                      : std::to_string(missing.count) + " frames from " + first + " to " + last) +
           " are missing";
}

}  // namespace qz::dgdecode
