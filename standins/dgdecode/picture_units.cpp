#include "picture_units.h"

#include <algorithm>
#include <cstring>

namespace qz::dgdecode {

namespace {

// A unit larger than any legal picture means the stream is damaged: its bytes are dropped.
constexpr size_t kMaxUnitBytes = 32u << 20;

bool is_slice_code(uint8_t code) { return code >= 0x01 && code <= 0xAF; }

void read_sequence_header(const uint8_t* p, size_t avail, PictureUnitInfo& info) {
    if (avail < 4) return;
    info.has_sequence_header = true;
    info.sequence = SequenceInfo();
    info.sequence.width = (p[0] << 4) | (p[1] >> 4);
    info.sequence.height = ((p[1] & 0x0f) << 8) | p[2];
    info.sequence.frame_rate_code = p[3] & 0x0f;
}

void read_extension(const uint8_t* p, size_t avail, PictureUnitInfo& info, int pictures_seen) {
    if (avail < 1) return;
    int id = p[0] >> 4;
    if (id == 1 && info.has_sequence_header && avail >= 3) {
        SequenceInfo& s = info.sequence;
        s.mpeg2 = true;
        s.progressive_sequence = (p[1] & 0x08) != 0;
        s.chroma_format = (p[1] >> 1) & 3;
        int width_ext = ((p[1] & 1) << 1) | (p[2] >> 7);
        int height_ext = (p[2] >> 5) & 3;
        s.width |= width_ext << 12;
        s.height |= height_ext << 12;
    } else if (id == 2 && info.has_sequence_header && (p[0] & 1) && avail >= 4) {
        info.sequence.matrix_coefficients = p[3];
    } else if (id == 8 && pictures_seen == 1 && avail >= 5) {
        info.picture_structure = p[2] & 3;
        if (info.picture_structure == 3) {
            info.top_field_first = (p[3] & 0x80) != 0;
            info.repeat_first_field = (p[3] & 0x02) != 0;
        } else {
            // A field pair: the first field's parity is the field order.
            info.top_field_first = info.picture_structure == 1;
            info.repeat_first_field = false;
        }
        info.progressive_frame = (p[4] & 0x80) != 0;
    }
}

}  // namespace

PictureUnitInfo parse_picture_unit(const uint8_t* data, size_t size) {
    PictureUnitInfo info;
    int pictures_seen = 0;
    size_t i = 0;
    while (i + 4 <= size) {
        const void* hit = std::memchr(data + i + 2, 0x01, size - i - 2);
        if (!hit) break;
        size_t j = size_t(static_cast<const uint8_t*>(hit) - data);
        if (data[j - 1] != 0 || data[j - 2] != 0 || j + 1 >= size) {
            i = j - 1;
            continue;
        }
        uint8_t code = data[j + 1];
        const uint8_t* p = data + j + 2;
        size_t avail = size - (j + 2);
        i = j + 2;
        if (code == kSequenceHeaderCode && pictures_seen == 0) {
            read_sequence_header(p, avail, info);
        } else if (code == kGroupStartCode && pictures_seen == 0) {
            if (avail >= 4) {
                info.has_group_header = true;
                info.closed_gop = (p[3] & 0x40) != 0;
                info.broken_link = (p[3] & 0x20) != 0;
            }
        } else if (code == kPictureStartCode) {
            if (pictures_seen++ == 0 && avail >= 2) {
                info.has_picture = true;
                info.temporal_reference = (p[0] << 2) | (p[1] >> 6);
                info.picture_type = (p[1] >> 3) & 7;
            }
            if (pictures_seen > 1) break;
        } else if (code == kExtensionStartCode) {
            read_extension(p, avail, info, pictures_seen);
        } else if (is_slice_code(code) && pictures_seen > 0) {
            break;  // the rest is picture data
        }
    }
    return info;
}

uint8_t picture_flag_byte(const PictureUnitInfo& info) {
    int type = info.picture_type >= 1 && info.picture_type <= 3 ? info.picture_type : 1;
    return uint8_t((info.progressive_frame ? 0x40 : 0) | (type << 4) | (info.top_field_first ? 0x02 : 0) |
                   (info.repeat_first_field ? 0x01 : 0));
}

void PictureSplitter::reset() {
    buffer_.clear();
    markers_.clear();
    scanned_ = 0;
    unit_begin_ = 0;
    in_unit_ = false;
    unit_has_picture_ = false;
    unit_fields_ = 0;
    expect_second_field_ = false;
    finished_ = false;
}

void PictureSplitter::feed(const uint8_t* data, size_t size, int64_t position, bool exact) {
    if (size == 0) return;
    compact();
    if (in_unit_ && buffer_.size() - unit_begin_ > kMaxUnitBytes) {
        // No legal picture is this large: forget it and look for the next start code.
        in_unit_ = false;
        scanned_ = buffer_.size();
        compact();
    }
    markers_.push_back({buffer_.size(), position, exact});
    buffer_.insert(buffer_.end(), data, data + size);
}

int64_t PictureSplitter::position_of(size_t offset) const {
    auto it = std::upper_bound(markers_.begin(), markers_.end(), offset,
                               [](size_t o, const Marker& m) { return o < m.offset; });
    if (it == markers_.begin()) return 0;
    --it;
    return it->exact ? it->position + int64_t(offset - it->offset) : it->position;
}

void PictureSplitter::compact() {
    size_t cut = in_unit_ ? unit_begin_ : (scanned_ >= 2 ? scanned_ - 2 : 0);
    if (cut == 0 || (cut < (256u << 10) && cut * 2 < buffer_.size())) return;
    std::vector<Marker> kept;
    auto it = std::upper_bound(markers_.begin(), markers_.end(), cut,
                               [](size_t o, const Marker& m) { return o < m.offset; });
    if (it != markers_.begin()) {
        const Marker& m = *(it - 1);
        kept.push_back({0, m.exact ? m.position + int64_t(cut - m.offset) : m.position, m.exact});
    }
    for (; it != markers_.end(); ++it) kept.push_back({it->offset - cut, it->position, it->exact});
    markers_.swap(kept);
    buffer_.erase(buffer_.begin(), buffer_.begin() + std::ptrdiff_t(cut));
    scanned_ -= cut;
    unit_begin_ = in_unit_ ? unit_begin_ - cut : 0;
}

PictureSplitter::Scan PictureSplitter::scan(size_t& boundary) {
    const uint8_t* buf = buffer_.data();
    size_t end = buffer_.size();
    size_t j = std::max<size_t>(scanned_, 2);
    while (j < end) {
        const void* hit = std::memchr(buf + j, 0x01, end - j);
        if (!hit) {
            j = end;
            break;
        }
        j = size_t(static_cast<const uint8_t*>(hit) - buf);
        if (buf[j - 1] != 0 || buf[j - 2] != 0) {
            ++j;
            continue;
        }
        size_t k = j - 2;  // the start code begins here
        bool pending_extension = in_unit_ && unit_has_picture_ && unit_fields_ == 1;
        size_t needed = pending_extension ? k + 7 : k + 4;
        if (needed > end && !finished_) {
            scanned_ = j;
            return Scan::need_more;
        }
        if (k + 4 > end) break;
        uint8_t code = buf[k + 3];
        if (!in_unit_) {
            if (code == kPictureStartCode || code == kSequenceHeaderCode || code == kGroupStartCode) {
                in_unit_ = true;
                unit_begin_ = k;
                unit_has_picture_ = code == kPictureStartCode;
                unit_fields_ = unit_has_picture_ ? 1 : 0;
                expect_second_field_ = false;
            }
        } else if (code == kPictureStartCode) {
            if (unit_has_picture_ && !expect_second_field_) {
                boundary = k;
                in_unit_ = false;
                scanned_ = j;
                return Scan::boundary;
            }
            if (unit_has_picture_) {
                expect_second_field_ = false;
                unit_fields_ = 2;
            } else {
                unit_has_picture_ = true;
                unit_fields_ = 1;
            }
        } else if (code == kSequenceHeaderCode || code == kGroupStartCode) {
            if (unit_has_picture_) {
                boundary = k;
                in_unit_ = false;
                scanned_ = j;
                return Scan::boundary;
            }
        } else if (code == kExtensionStartCode && pending_extension && k + 7 <= end && (buf[k + 4] >> 4) == 8) {
            expect_second_field_ = (buf[k + 6] & 3) != 3;
        }
        j += 1;
    }
    scanned_ = j;
    if (finished_ && in_unit_) {
        boundary = end;
        in_unit_ = false;
        return Scan::boundary;
    }
    return finished_ ? Scan::end : Scan::need_more;
}

void PictureSplitter::emit(PictureUnit& unit, size_t end) {
    unit.size = end - unit_begin_;
    if (unit.bytes.size() < unit.size + kPadding) unit.bytes.resize(unit.size + kPadding);
    std::memcpy(unit.bytes.data(), buffer_.data() + unit_begin_, unit.size);
    std::memset(unit.bytes.data() + unit.size, 0, kPadding);
    unit.position = position_of(unit_begin_);
    unit_begin_ = end;
}

bool PictureSplitter::take(PictureUnit& unit) {
    size_t boundary = 0;
    if (scan(boundary) != Scan::boundary) return false;
    emit(unit, boundary);
    return true;
}

}  // namespace qz::dgdecode
