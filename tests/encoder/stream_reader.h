// A small reader of MPEG-2 video elementary streams for the encoder's tests: the header fields the
// settings must show, and every picture with its type, place and size. Written from the standard's
// syntax, independently of the encoder's own patching code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qz::enctest {

struct SequenceInfo {
    int width = 0, height = 0;
    int aspect_code = 0, frame_rate_code = 0;
    int bit_rate_value = 0, vbv_buffer_size_value = 0;  // units of 400 bit/s and 16384 bits
    bool intra_loaded = false, non_intra_loaded = false;
    std::array<int, 64> intra{}, non_intra{};  // raster order
    // Sequence extension.
    int profile_and_level = 0;
    bool progressive_sequence = false;
    int chroma_format = 0;  // 1 4:2:0, 2 4:2:2
    // Sequence display extension.
    bool has_display = false;
    int video_format = -1, colour_primaries = -1, transfer = -1, matrix = -1;
    int display_width = 0, display_height = 0;
};

struct GopInfo {
    int picture_index = 0;  // the first picture (coded order) after it
    bool drop_frame = false, closed = false, broken = false;
    int hours = 0, minutes = 0, seconds = 0, pictures = 0;
};

struct PictureInfo {
    char type = '?';
    int temporal_reference = 0;
    int64_t display_index = 0;  // pictures of earlier GOPs + temporal reference
    int gop = -1;               // index into gops
    size_t bytes = 0;           // from its picture header (or preceding headers) to the next picture's
    int dc_precision = -1, picture_structure = 0;
    bool top_field_first = false, repeat_first_field = false, progressive_frame = false;
    bool intra_vlc = false, alternate_scan = false;
    int panscan_offsets = 0;   // frame_centre offsets in a picture display extension
    int first_horizontal_offset = 0;
};

struct StreamInfo {
    bool ok = false;
    std::string error;
    SequenceInfo sequence;  // the first sequence header and its extensions
    int sequence_headers = 0;
    std::vector<GopInfo> gops;
    std::vector<PictureInfo> pictures;  // coded order
    bool ends_with_sequence_end = false;
};

StreamInfo read_stream(const std::string& path);

// Every picture in display order (pointers into info.pictures).
std::vector<const PictureInfo*> display_order(const StreamInfo& info);

// The decoder buffer of the variable bitrate model: filled at `max_bits_per_second` up to
// `buffer_bits`, decoding starting full, each picture removed after its display time. Returns the
// first picture (coded order) that would underflow, or -1.
int vbv_underflow(const StreamInfo& info, double max_bits_per_second, double buffer_bits, double frames_per_second);

}  // namespace qz::enctest
