#include "stream_patcher.h"

#include <algorithm>

namespace qz::encoder {

namespace {

constexpr uint8_t kSequenceHeader = 0xB3, kExtension = 0xB5, kGop = 0xB8, kPicture = 0x00;
constexpr int kSequenceExtensionId = 1, kDisplayExtensionId = 2, kPictureDisplayId = 7, kCodingExtensionId = 8;

// Display order place in the 3:2 cycle: (top_field_first, repeat_first_field).
constexpr bool kCycleTff[4] = {true, false, false, true};
constexpr bool kCycleRff[4] = {true, false, true, false};

// Writes `count` bits of `value` at bit `position` (from the most significant bit of s[0]).
void put_bits_at(uint8_t* s, int position, int count, uint32_t value) {
    for (int i = 0; i < count; ++i) {
        const int bit = position + i;
        const uint8_t mask = uint8_t(0x80 >> (bit & 7));
        if ((value >> (count - 1 - i)) & 1u) s[bit >> 3] |= mask;
        else s[bit >> 3] &= uint8_t(~mask);
    }
}

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void put(int count, uint32_t value) {
        for (int i = count - 1; i >= 0; --i) {
            current_ = uint8_t((uint32_t{current_} << 1) | ((value >> i) & 1u));
            if (++filled_ == 8) flush_byte();
        }
    }
    void align() {
        while (filled_ != 0) put(1, 0);
    }

private:
    void flush_byte() {
        out_.push_back(current_);
        current_ = 0;
        filled_ = 0;
    }
    std::vector<uint8_t>& out_;
    uint8_t current_ = 0;
    int filled_ = 0;
};

}  // namespace

int64_t pulldown_fields_before(int64_t index) {
    static const int kPrefix[4] = {0, 3, 5, 8};
    return 10 * (index / 4) + kPrefix[index % 4];
}

void drop_frame_timecode(int64_t frames, int& hours, int& minutes, int& seconds, int& pictures) {
    // Two frame numbers are dropped at the start of every minute except each tenth.
    const int64_t tens = frames / 17982, rest = frames % 17982;
    frames += 18 * tens + (rest > 2 ? 2 * ((rest - 2) / 1798) : 0);
    pictures = int(frames % 30);
    seconds = int((frames / 30) % 60);
    minutes = int((frames / 1800) % 60);
    hours = int((frames / 108000) % 24);
}

int64_t drop_frame_count(int hours, int minutes, int seconds, int pictures) {
    const int64_t total_minutes = 60 * int64_t(hours) + minutes;
    return 108000 * int64_t(hours) + 1800 * int64_t(minutes) + 30 * int64_t(seconds) + pictures -
           2 * (total_minutes - total_minutes / 10);
}

StreamPatcher::StreamPatcher(const EncodePlan& plan, const PictureTypePlanner& types) : plan_(plan), types_(types) {}

void StreamPatcher::patch_sequence_header(uint8_t* s, size_t avail) {
    // Without a VBV the encoder sizes the header's buffer from the bitrate; the level's own size
    // is the honest value for a decoder.
    if (!plan_.vbv && avail >= 12) put_bits_at(s, 83, 10, uint32_t(plan_.vbv_buffer_bits / 16384) & 0x3FF);
    if (!plan_.pulldown || avail < 8) return;
    const uint8_t code = s[7] & 0x0F;
    const uint8_t shown = code == 1 ? 4 : code == 2 ? 5 : code;  // 23.976 -> 29.97, 24 -> 30
    s[7] = uint8_t((s[7] & 0xF0) | shown);
}

void StreamPatcher::patch_sequence_extension(uint8_t* s, size_t avail) {
    if (avail < 6) return;
    if (plan_.progressive_sequence) s[5] |= 0x08;
    else s[5] &= uint8_t(~0x08);
}

void StreamPatcher::patch_display_extension(uint8_t* s, size_t avail) {
    if (!plan_.panscan || avail < 12) return;
    const bool colour = (s[4] & 0x01) != 0;
    const int position = 32 + 8 + (colour ? 24 : 0);  // bits from the start code's first byte
    put_bits_at(s, position, 14, uint32_t(plan_.panscan_width) & 0x3FFF);
    put_bits_at(s, position + 15, 14, uint32_t(plan_.panscan_height) & 0x3FFF);
}

void StreamPatcher::patch_gop(uint8_t* s, size_t avail, int64_t display_index, int temporal_reference) {
    if (avail < 8) return;
    const int64_t first_shown = display_index - temporal_reference;
    if (plan_.pulldown && first_shown >= 0) {
        const auto& tc = plan_.timecode;
        const int64_t shown = pulldown_fields_before(first_shown) / 2;
        int h = 0, m = 0, sec = 0, f = 0;
        if (plan_.drop_frame) {
            drop_frame_timecode(drop_frame_count(tc[0], tc[1], tc[2], tc[3]) + shown, h, m, sec, f);
        } else {
            const int64_t frames = ((int64_t(tc[0]) * 60 + tc[1]) * 60 + tc[2]) * 30 + tc[3] + shown;
            f = int(frames % 30);
            sec = int(frames / 30 % 60);
            m = int(frames / 1800 % 60);
            h = int(frames / 108000 % 24);
        }
        put_bits_at(s, 32, 1, plan_.drop_frame ? 1 : 0);
        put_bits_at(s, 33, 5, uint32_t(h));
        put_bits_at(s, 38, 6, uint32_t(m));
        put_bits_at(s, 44, 1, 1);
        put_bits_at(s, 45, 6, uint32_t(sec));
        put_bits_at(s, 51, 6, uint32_t(f));
    }
    if (display_index >= 0 && display_index < types_.decided()) {
        const bool closed = types_.choice(int(display_index)).closed_gop;
        put_bits_at(s, 57, 1, closed ? 1 : 0);
    }
}

void StreamPatcher::patch_coding_extension(uint8_t* s, size_t avail, int64_t display_index) {
    if (avail < 9) return;
    if (plan_.pulldown && display_index >= 0) {
        const int phase = int(display_index % 4);
        s[7] = uint8_t((s[7] & ~0x82) | (kCycleTff[phase] ? 0x80 : 0) | (kCycleRff[phase] ? 0x02 : 0));
        s[8] |= 0x80;  // progressive_frame
    }
    top_field_first_ = (s[7] & 0x80) != 0;
    repeat_first_field_ = (s[7] & 0x02) != 0;
}

int16_t StreamPatcher::panscan_offset(int64_t display_index) const {
    int16_t offset = 0;
    for (const PanScanSpan& span : plan_.panscan_offsets) {
        if (span.first > display_index) break;
        offset = span.offset;
    }
    return offset;
}

void StreamPatcher::append_picture_display(std::vector<uint8_t>& out, int64_t display_index) const {
    int offsets = 0;
    if (plan_.progressive_sequence) offsets = repeat_first_field_ ? (top_field_first_ ? 3 : 2) : 1;
    else offsets = repeat_first_field_ ? 3 : 2;
    const uint8_t start[4] = {0, 0, 1, kExtension};
    out.insert(out.end(), start, start + 4);
    BitWriter bits(out);
    bits.put(4, kPictureDisplayId);
    const uint16_t horizontal = uint16_t(panscan_offset(display_index));
    for (int i = 0; i < offsets; ++i) {
        bits.put(16, horizontal);
        bits.put(1, 1);
        bits.put(16, 0);
        bits.put(1, 1);
    }
    bits.align();
}

void StreamPatcher::patch(const uint8_t* coded, size_t size, int64_t display_index, std::vector<uint8_t>& out) {
    out.assign(coded, coded + size);
    uint8_t* data = out.data();
    size_t insert_at = 0;  // where a picture display extension goes, 0 for nowhere
    int temporal_reference = 0;
    size_t gop_at = size;  // the GOP header waits for the picture header's temporal reference
    for (size_t i = 0; i + 4 <= size; ++i) {
        if (data[i] != 0 || data[i + 1] != 0 || data[i + 2] != 1) continue;
        const uint8_t code = data[i + 3];
        if (code >= 0x01 && code <= 0xAF) {  // the first slice: no header follows
            if (insert_at == 0 && plan_.panscan) insert_at = i;
            break;
        }
        uint8_t* s = data + i;
        const size_t avail = size - i;
        if (code == kSequenceHeader) {
            patch_sequence_header(s, avail);
        } else if (code == kGop) {
            gop_at = i;
        } else if (code == kPicture && avail >= 6) {
            temporal_reference = (s[4] << 2) | (s[5] >> 6);
        } else if (code == kExtension && avail >= 5) {
            const int id = s[4] >> 4;
            if (id == kSequenceExtensionId) patch_sequence_extension(s, avail);
            else if (id == kDisplayExtensionId) patch_display_extension(s, avail);
            else if (id == kCodingExtensionId) {
                patch_coding_extension(s, avail, display_index);
                if (plan_.panscan) {
                    // After the coding extension (and before any user data or slice).
                    size_t next = i + 4;
                    while (next + 3 <= size && !(data[next] == 0 && data[next + 1] == 0 && data[next + 2] == 1)) ++next;
                    insert_at = next;
                }
            }
        }
        i += 3;
    }
    if (gop_at < size) patch_gop(data + gop_at, size - gop_at, display_index, temporal_reference);
    if (plan_.panscan && insert_at > 0 && insert_at <= size) {
        extension_.clear();
        append_picture_display(extension_, display_index);
        out.insert(out.begin() + std::ptrdiff_t(insert_at), extension_.begin(), extension_.end());
    }
}

}  // namespace qz::encoder
