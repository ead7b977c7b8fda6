#include "stream_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace qz::enctest {

namespace {

constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                             41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                             30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

class Bits {
public:
    Bits(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint32_t get(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const size_t byte = position_ >> 3;
            const int bit = byte < size_ ? (data_[byte] >> (7 - (position_ & 7))) & 1 : 0;
            value = (value << 1) | uint32_t(bit);
            ++position_;
        }
        return value;
    }
    void skip(int count) { position_ += size_t(count); }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

void read_matrix(Bits& b, std::array<int, 64>& m) {
    for (int i = 0; i < 64; ++i) m[size_t(kZigzag[i])] = int(b.get(8));
}

}  // namespace

StreamInfo read_stream(const std::string& path) {
    StreamInfo info;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        info.error = "cannot open " + path;
        return info;
    }
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<size_t> starts;
    for (size_t i = 0; i + 3 < data.size(); ++i)
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) starts.push_back(i);
    int64_t gop_base = 0, pictures_in_gop = 0;
    bool in_sequence_header = false;
    size_t picture_start = 0;
    auto close_picture = [&](size_t at) {
        if (!info.pictures.empty() && info.pictures.back().bytes == 0) info.pictures.back().bytes = at - picture_start;
    };
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t at = starts[k];
        const uint8_t code = data[at + 3];
        Bits b(data.data() + at + 4, data.size() - at - 4);
        if (code == 0xB3 || code == 0xB8 || code == 0x00 || code == 0xB7) close_picture(at);
        if (code == 0xB3) {
            ++info.sequence_headers;
            in_sequence_header = true;
            if (info.sequence_headers > 1) continue;
            SequenceInfo& s = info.sequence;
            s.width = int(b.get(12));
            s.height = int(b.get(12));
            s.aspect_code = int(b.get(4));
            s.frame_rate_code = int(b.get(4));
            s.bit_rate_value = int(b.get(18));
            b.skip(1);
            s.vbv_buffer_size_value = int(b.get(10));
            b.skip(1);
            s.intra_loaded = b.get(1);
            if (s.intra_loaded) read_matrix(b, s.intra);
            s.non_intra_loaded = b.get(1);
            if (s.non_intra_loaded) read_matrix(b, s.non_intra);
        } else if (code == 0xB5) {
            const int id = int(b.get(4));
            if (id == 1 && info.sequence_headers == 1 && in_sequence_header) {
                info.sequence.profile_and_level = int(b.get(8));
                info.sequence.progressive_sequence = b.get(1);
                info.sequence.chroma_format = int(b.get(2));
            } else if (id == 2 && info.sequence_headers == 1 && in_sequence_header) {
                SequenceInfo& s = info.sequence;
                s.has_display = true;
                s.video_format = int(b.get(3));
                if (b.get(1)) {
                    s.colour_primaries = int(b.get(8));
                    s.transfer = int(b.get(8));
                    s.matrix = int(b.get(8));
                }
                s.display_width = int(b.get(14));
                b.skip(1);
                s.display_height = int(b.get(14));
            } else if (id == 8 && !info.pictures.empty()) {
                PictureInfo& p = info.pictures.back();
                b.skip(16);
                p.dc_precision = int(b.get(2));
                p.picture_structure = int(b.get(2));
                p.top_field_first = b.get(1);
                b.skip(3);
                p.intra_vlc = b.get(1);
                p.alternate_scan = b.get(1);
                p.repeat_first_field = b.get(1);
                b.skip(1);
                p.progressive_frame = b.get(1);
            } else if (id == 7 && !info.pictures.empty()) {
                PictureInfo& p = info.pictures.back();
                // As many offsets as fit before the next start code: 34 bits each.
                const size_t end = k + 1 < starts.size() ? starts[k + 1] : data.size();
                p.panscan_offsets = int(((end - at - 4) * 8 - 4) / 34);
                p.first_horizontal_offset = int(int16_t(b.get(16)));
            }
        } else if (code == 0xB8) {
            in_sequence_header = false;
            gop_base += pictures_in_gop;
            pictures_in_gop = 0;
            GopInfo g;
            g.picture_index = int(info.pictures.size());
            g.drop_frame = b.get(1);
            g.hours = int(b.get(5));
            g.minutes = int(b.get(6));
            b.skip(1);
            g.seconds = int(b.get(6));
            g.pictures = int(b.get(6));
            g.closed = b.get(1);
            g.broken = b.get(1);
            info.gops.push_back(g);
        } else if (code == 0x00) {
            in_sequence_header = false;
            PictureInfo p;
            p.temporal_reference = int(b.get(10));
            const int type = int(b.get(3));
            p.type = type == 1 ? 'I' : type == 2 ? 'P' : type == 3 ? 'B' : '?';
            p.gop = int(info.gops.size()) - 1;
            p.display_index = gop_base + p.temporal_reference;
            ++pictures_in_gop;
            // The headers before a picture belong to it.
            size_t first = at;
            if (!info.gops.empty() && info.gops.back().picture_index == int(info.pictures.size())) {
                for (size_t j = k; j-- > 0;) {
                    const uint8_t c = data[starts[j] + 3];
                    if (c == 0xB3 || c == 0xB8 || c == 0xB5) first = starts[j];
                    else break;
                }
            }
            picture_start = first;
            info.pictures.push_back(p);
        } else if (code == 0xB7) {
            info.ends_with_sequence_end = k + 1 == starts.size() && at + 4 == data.size();
        }
    }
    close_picture(data.size());
    info.ok = info.sequence_headers > 0 && !info.pictures.empty();
    if (!info.ok) info.error = "no sequence header or no picture";
    return info;
}

std::vector<const PictureInfo*> display_order(const StreamInfo& info) {
    std::vector<const PictureInfo*> order;
    for (const PictureInfo& p : info.pictures) order.push_back(&p);
    std::sort(order.begin(), order.end(), [](const PictureInfo* a, const PictureInfo* b) { return a->display_index < b->display_index; });
    return order;
}

int vbv_underflow(const StreamInfo& info, double max_bits_per_second, double buffer_bits, double frames_per_second) {
    double fullness = buffer_bits;
    const double fill = max_bits_per_second / frames_per_second;
    for (size_t i = 0; i < info.pictures.size(); ++i) {
        const double bits = double(info.pictures[i].bytes) * 8.0;
        if (bits > fullness) return int(i);
        fullness = std::min(buffer_bits, fullness - bits + fill);
    }
    return -1;
}

}  // namespace qz::enctest
