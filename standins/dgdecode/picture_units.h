// MPEG-1/2 video elementary stream cut into picture units: each unit holds the headers that come
// before a picture (sequence header, GOP header, extensions, user data), the picture itself and
// its slices. A pair of field pictures stays in one unit, since together they make one frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qz::dgdecode {

inline constexpr uint8_t kPictureStartCode = 0x00;
inline constexpr uint8_t kSequenceHeaderCode = 0xB3;
inline constexpr uint8_t kExtensionStartCode = 0xB5;
inline constexpr uint8_t kSequenceEndCode = 0xB7;
inline constexpr uint8_t kGroupStartCode = 0xB8;

struct SequenceInfo {
    int width = 0;
    int height = 0;
    int frame_rate_code = 0;
    bool mpeg2 = false;
    bool progressive_sequence = true;
    int chroma_format = 1;        // 1 4:2:0, 2 4:2:2, 3 4:4:4
    int matrix_coefficients = -1; // from the sequence display extension, -1 when absent
};

struct PictureUnitInfo {
    bool has_sequence_header = false;
    bool has_group_header = false;
    bool closed_gop = false;
    bool broken_link = false;
    SequenceInfo sequence;          // meaningful with has_sequence_header
    bool has_picture = false;
    int temporal_reference = 0;
    int picture_type = 0;           // 1 I, 2 P, 3 B (others are kept but never decoded here)
    int picture_structure = 3;      // 3 frame, 1 top field, 2 bottom field
    bool top_field_first = false;
    bool repeat_first_field = false;
    bool progressive_frame = true;

    // An I picture after a sequence or GOP header: where decoding can start, one index line each.
    bool entry_start() const {
        return has_picture && picture_type == 1 && (has_sequence_header || has_group_header);
    }
};

// Reads the headers of one unit. Never reads outside [data, data + size).
PictureUnitInfo parse_picture_unit(const uint8_t* data, size_t size);

// The flag byte an index line keeps for the unit's picture.
uint8_t picture_flag_byte(const PictureUnitInfo& info);

struct PictureUnit {
    std::vector<uint8_t> bytes;  // followed by zeroed padding the decoder may read past the end
    size_t size = 0;             // bytes of the unit itself
    int64_t position = 0;        // where its first start code begins (see PictureSplitter::feed)
};

// Cuts a byte stream fed piece by piece into picture units.
class PictureSplitter {
public:
    // Padding behind every unit's bytes, for decoders that read ahead.
    static constexpr size_t kPadding = 64;

    void reset();
    // Appends a piece of elementary stream. `exact` pieces give every byte its own position
    // (position + offset); other pieces (a packet of a multiplex) give all their bytes `position`.
    void feed(const uint8_t* data, size_t size, int64_t position, bool exact);
    // No more data will come: what is left becomes the last unit.
    void finish() { finished_ = true; }
    // The next complete unit, or false when more data is needed (or all is taken after finish).
    bool take(PictureUnit& unit);
    // Bytes held that belong to no unit yet.
    size_t pending_bytes() const { return buffer_.size() - unit_begin_; }

private:
    struct Marker {
        size_t offset;
        int64_t position;
        bool exact;
    };
    enum class Scan { boundary, need_more, end };
    Scan scan(size_t& boundary);
    int64_t position_of(size_t offset) const;
    void emit(PictureUnit& unit, size_t end);
    void compact();

    std::vector<uint8_t> buffer_;
    std::vector<Marker> markers_;
    size_t scanned_ = 0;                 // offset from which start codes are still to be looked at
    size_t unit_begin_ = 0;
    bool in_unit_ = false;
    bool unit_has_picture_ = false;
    int unit_fields_ = 0;                // field pictures seen in the current unit
    bool expect_second_field_ = false;
    bool finished_ = false;
};

}  // namespace qz::dgdecode
