#include "d2v_writer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "d2v_project.h"
#include "picture_units.h"
#include "source_files.h"
#include "video_source.h"

namespace qz::testclip {

namespace dg = qz::dgdecode;

namespace {

struct IndexedPicture {
    int temporal_reference;
    uint8_t flag;
};

struct IndexedEntry {
    unsigned info = 0;
    int file = 0;
    int64_t position = 0;
    std::vector<IndexedPicture> pictures;  // coded order
};

struct StreamIndex {
    std::vector<IndexedEntry> entries;
    dg::StreamType type = dg::StreamType::elementary;
    dg::SequenceInfo sequence;
    int aspect_code = 0;
    bool mpeg2 = false;
};

int aspect_code_of(const uint8_t* unit, size_t size) {
    for (size_t i = 0; i + 7 < size; ++i)
        if (unit[i] == 0 && unit[i + 1] == 0 && unit[i + 2] == 1 && unit[i + 3] == dg::kSequenceHeaderCode)
            return unit[i + 7] >> 4;
    return 0;
}

bool index_stream(dg::SourceFiles& files, StreamIndex& index, std::string& error) {
    index.type = dg::sniff_stream_type(files);
    auto source = dg::open_video_source(files, index.type, -1, error);
    if (!source) return false;
    source->seek(0);
    dg::PictureSplitter splitter;
    dg::PictureUnit unit;
    bool progressive_sequence = true;
    auto add_unit = [&](const dg::PictureUnit& u) {
        dg::PictureUnitInfo info = dg::parse_picture_unit(u.bytes.data(), u.size);
        if (info.has_sequence_header) {
            if (index.sequence.width == 0) {
                index.sequence = info.sequence;
                index.aspect_code = aspect_code_of(u.bytes.data(), u.size);
            }
            progressive_sequence = info.sequence.progressive_sequence;
            index.mpeg2 = index.mpeg2 || info.sequence.mpeg2;
        }
        if (!info.has_picture) return;
        if (info.entry_start()) {
            IndexedEntry e;
            e.info = (info.closed_gop ? dg::kInfoClosedGop : 0) |
                     (progressive_sequence ? dg::kInfoProgressiveSequence : 0) |
                     (info.has_group_header ? dg::kInfoNewGop : 0);
            int file = 0;
            while (file + 1 < files.file_count() && files.start_of(file + 1) <= u.position) ++file;
            e.file = file;
            e.position = u.position - files.start_of(file);
            index.entries.push_back(e);
        }
        if (index.entries.empty()) return;  // pictures before the first GOP cannot be decoded
        index.entries.back().pictures.push_back({info.temporal_reference, dg::picture_flag_byte(info)});
    };
    for (bool finished = false;;) {
        while (splitter.take(unit)) add_unit(unit);
        if (finished) break;
        dg::VideoPiece piece;
        if (source->next(piece)) {
            splitter.feed(piece.data, piece.size, piece.position, piece.exact);
        } else {
            splitter.finish();
            finished = true;
        }
    }
    if (index.entries.empty()) {
        error = "no GOP start found in the MPEG files";
        return false;
    }
    return true;
}

// Flags in display order: by temporal reference, or in coded order when the references of a GOP
// are not a plain permutation (a damaged stream).
std::vector<uint8_t> display_order(const IndexedEntry& e) {
    size_t n = e.pictures.size();
    std::vector<uint8_t> flags(n, 0);
    std::vector<bool> taken(n, false);
    for (const IndexedPicture& p : e.pictures) {
        if (p.temporal_reference < 0 || size_t(p.temporal_reference) >= n || taken[size_t(p.temporal_reference)]) {
            for (size_t i = 0; i < n; ++i) flags[i] = e.pictures[i].flag;
            return flags;
        }
        taken[size_t(p.temporal_reference)] = true;
        flags[size_t(p.temporal_reference)] = p.flag;
    }
    return flags;
}

std::string written_path(const std::string& stream, const D2vSpec& spec) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(stream, ec);
    if (spec.paths == PathStyle::absolute) return absolute.lexically_normal().string();
    fs::path dir = fs::absolute(spec.d2v_path, ec).parent_path();
    std::string rel = absolute.lexically_normal().lexically_relative(dir.lexically_normal()).string();
    if (spec.paths == PathStyle::relative_backslash) std::replace(rel.begin(), rel.end(), '/', '\\');
    return rel;
}

struct Rate {
    unsigned num, den;
};

Rate rate_of_code(int code) {
    static const Rate kRates[9] = {{0, 0}, {24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {50, 1}, {60000, 1001}, {60, 1}};
    return code >= 1 && code <= 8 ? kRates[code] : Rate{0, 0};
}

const char* aspect_text(int code) {
    switch (code) {
        case 2: return "4:3";
        case 3: return "16:9";
        case 4: return "2.21:1";
        default: return "1:1";
    }
}

bool write_project(const D2vSpec& spec, const StreamIndex& index, std::string& error, D2vSummary& summary) {
    std::string temp = spec.d2v_path + ".writing";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        error = "cannot write " + spec.d2v_path;
        return false;
    }
    std::fprintf(f, "DGIndexProjectFile%02d\n%d\n", spec.version, int(spec.stream_files.size()));
    for (const std::string& stream : spec.stream_files) {
        std::string path = written_path(stream, spec);
        if (spec.version < dg::kFirstPlainPathVersion) std::fprintf(f, "%d ", int(path.size()));
        std::fprintf(f, "%s\n", path.c_str());
    }
    Rate rate = rate_of_code(index.sequence.frame_rate_code);
    unsigned milli = rate.den ? unsigned((uint64_t(rate.num) * 1000 + rate.den / 2) / rate.den) : 0;
    std::fprintf(f, "\nStream_Type=%d\n", int(index.type));
    std::fprintf(f, "MPEG_Type=%d\n", index.mpeg2 ? 2 : 1);
    std::fprintf(f, "iDCT_Algorithm=6 (IEEE-1180 Reference)\nYUVRGB_Scale=1\nLuminance_Filter=0,0\n");
    std::fprintf(f, "Clipping=%d,%d,%d,%d\n", spec.clip_left, spec.clip_right, spec.clip_top, spec.clip_bottom);
    std::fprintf(f, "Aspect_Ratio=%s\n", aspect_text(index.aspect_code));
    std::fprintf(f, "Picture_Size=%dx%d\n", index.sequence.width, index.sequence.height);
    std::fprintf(f, "Field_Operation=%d\n", spec.field_operation);
    if (spec.version <= 10) {
        std::fprintf(f, "Frame_Rate=%u\n", milli);  // the older form: the rate times 1000 only
    } else {
        std::fprintf(f, "Frame_Rate=%u (%u/%u)\n", milli, rate.num, rate.den);
    }
    std::fprintf(f, "Location=0,0,0,0\n\n");
    int matrix = index.sequence.matrix_coefficients >= 0 ? index.sequence.matrix_coefficients : 0;
    for (size_t i = 0; i < index.entries.size(); ++i) {
        const IndexedEntry& e = index.entries[i];
        std::fprintf(f, "%03x %d %d %lld 0 0 0", e.info, matrix, e.file, static_cast<long long>(e.position));
        for (uint8_t flag : display_order(e)) {
            std::fprintf(f, " %02x", flag);
            summary.pulldown = summary.pulldown || (flag & dg::kFlagRepeatFirstField);
        }
        summary.pictures += int(e.pictures.size());
        if (i + 1 == index.entries.size()) std::fprintf(f, " ff");
        std::fprintf(f, "\n");
    }
    std::fprintf(f, "\nFINISHED  100.00%% VIDEO\n");
    summary.entries = int(index.entries.size());
    bool ok = !std::ferror(f);
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, spec.d2v_path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        error = "cannot write " + spec.d2v_path;
        return false;
    }
    return true;
}

}  // namespace

bool write_d2v(const D2vSpec& spec, std::string& error, D2vSummary* summary) {
    if (spec.version < 1 || spec.version > 99 || spec.stream_files.empty()) {
        error = "a project needs a version from 1 to 99 and at least one file";
        return false;
    }
    dg::SourceFiles files;
    if (!files.open(spec.stream_files, error)) return false;
    StreamIndex index;
    if (!index_stream(files, index, error)) return false;
    D2vSummary local;
    if (!write_project(spec, index, error, local)) return false;
    if (summary) *summary = local;
    return true;
}

bool cut_source_at_gop(const std::string& d2v_path, int gop, std::string& error) {
    dg::D2vProject project;
    if (!dg::read_d2v_project(d2v_path, project, error)) return false;
    if (gop < 0 || size_t(gop) >= project.entries.size()) {
        error = "the project has no GOP " + std::to_string(gop);
        return false;
    }
    const dg::D2vEntry& entry = project.entries[size_t(gop)];
    std::error_code ec;
    std::filesystem::resize_file(project.files[size_t(entry.file)], uintmax_t(entry.position), ec);
    if (ec) {
        error = "cannot cut " + project.files[size_t(entry.file)] + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace qz::testclip
