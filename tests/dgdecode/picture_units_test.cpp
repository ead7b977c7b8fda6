#include "picture_units.h"

#include <random>

#include <gtest/gtest.h>

namespace qz::dgdecode {
namespace {

// Builds elementary stream bytes header by header.
class StreamBuilder {
public:
    StreamBuilder& junk(size_t n) {
        for (size_t i = 0; i < n; ++i) bytes.push_back(uint8_t(0x11 + i % 200));
        return *this;
    }
    StreamBuilder& sequence(int w, int h, int rate_code) {
        start(0xB3);
        put({uint8_t(w >> 4), uint8_t(((w & 15) << 4) | (h >> 8)), uint8_t(h & 255), uint8_t(0x20 | rate_code), 0xff,
             0xff, 0xe0, 0x18});
        start(0xB5);
        put({0x14, 0x8a, 0x00, 0x01, 0x00, 0x00});  // sequence extension: progressive, 4:2:0
        return *this;
    }
    StreamBuilder& gop(bool closed) {
        start(0xB8);
        put({0x00, 0x08, 0x00, uint8_t(closed ? 0x40 : 0x00)});
        return *this;
    }
    StreamBuilder& picture(int tr, int type, int structure = 3, bool tff = false, bool rff = false) {
        start(0x00);
        put({uint8_t(tr >> 2), uint8_t(((tr & 3) << 6) | (type << 3)), 0xff, 0xf8});
        start(0xB5);
        put({0x8f, 0xff, uint8_t(0xf0 | structure), uint8_t((tff ? 0x80 : 0) | (rff ? 0x02 : 0)), 0x80});
        for (int slice = 1; slice <= 3; ++slice) {
            start(uint8_t(slice));
            for (int i = 0; i < 40 + tr * 3; ++i) bytes.push_back(uint8_t(0x21 + (i * 7 + tr) % 220));
        }
        return *this;
    }
    std::vector<uint8_t> bytes;

private:
    void start(uint8_t code) { put({0, 0, 1, code}); }
    void put(std::initializer_list<uint8_t> b) { bytes.insert(bytes.end(), b); }
};

struct Unit {
    std::vector<uint8_t> bytes;
    int64_t position;
    bool operator==(const Unit& o) const { return bytes == o.bytes && position == o.position; }
};

std::vector<Unit> split(const std::vector<uint8_t>& stream, const std::vector<size_t>& piece_sizes, bool exact,
                        int64_t base = 1000) {
    PictureSplitter splitter;
    PictureUnit unit;
    std::vector<Unit> units;
    size_t at = 0, i = 0;
    while (at < stream.size()) {
        size_t n = std::min(piece_sizes[i++ % piece_sizes.size()], stream.size() - at);
        splitter.feed(stream.data() + at, n, exact ? base + int64_t(at) : base + int64_t(at) * 10, exact);
        at += n;
        while (splitter.take(unit)) units.push_back({{unit.bytes.begin(), unit.bytes.begin() + long(unit.size)}, unit.position});
    }
    splitter.finish();
    while (splitter.take(unit)) units.push_back({{unit.bytes.begin(), unit.bytes.begin() + long(unit.size)}, unit.position});
    return units;
}

std::vector<uint8_t> two_gops() {
    StreamBuilder s;
    s.sequence(720, 576, 3).gop(true).picture(0, 1).picture(3, 2).picture(1, 3).picture(2, 3);
    s.sequence(720, 576, 3).gop(false).picture(2, 1).picture(0, 3).picture(1, 3);
    return s.bytes;
}

TEST(PictureSplitter, CutsBeforeEachPictureKeepingTheHeadersWithTheirPicture) {
    std::vector<uint8_t> stream = two_gops();
    std::vector<Unit> units = split(stream, {stream.size()}, true, 0);
    ASSERT_EQ(units.size(), 7u);
    EXPECT_EQ(units[0].position, 0);
    const int kTypes[7] = {1, 2, 3, 3, 1, 3, 3};
    const int kRefs[7] = {0, 3, 1, 2, 2, 0, 1};
    size_t total = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        PictureUnitInfo info = parse_picture_unit(units[i].bytes.data(), units[i].bytes.size());
        EXPECT_TRUE(info.has_picture);
        EXPECT_EQ(info.picture_type, kTypes[i]) << i;
        EXPECT_EQ(info.temporal_reference, kRefs[i]) << i;
        EXPECT_EQ(info.entry_start(), i == 0 || i == 4) << i;
        EXPECT_EQ(units[i].position, int64_t(total));
        total += units[i].bytes.size();
    }
    EXPECT_EQ(total, stream.size());
    PictureUnitInfo first = parse_picture_unit(units[0].bytes.data(), units[0].bytes.size());
    EXPECT_EQ(first.sequence.width, 720);
    EXPECT_EQ(first.sequence.height, 576);
    EXPECT_EQ(first.sequence.frame_rate_code, 3);
    EXPECT_TRUE(first.sequence.mpeg2);
    EXPECT_TRUE(first.closed_gop);
    PictureUnitInfo second_gop = parse_picture_unit(units[4].bytes.data(), units[4].bytes.size());
    EXPECT_FALSE(second_gop.closed_gop);
}

TEST(PictureSplitter, PieceSizesDoNotChangeTheUnits) {
    std::vector<uint8_t> stream = two_gops();
    std::vector<Unit> whole = split(stream, {stream.size()}, true);
    EXPECT_EQ(split(stream, {1}, true), whole);
    EXPECT_EQ(split(stream, {2}, true), whole);
    EXPECT_EQ(split(stream, {3, 5, 7}, true), whole);
    std::mt19937 random(4);
    std::vector<size_t> sizes;
    for (int i = 0; i < 50; ++i) sizes.push_back(1 + random() % 90);
    EXPECT_EQ(split(stream, sizes, true), whole);
}

TEST(PictureSplitter, MultiplexPiecesGiveTheirPacketPosition) {
    std::vector<uint8_t> stream = two_gops();
    // Pieces of 10 bytes at positions base + offset * 10: a unit takes the position of the piece
    // holding the first byte of its start code, even when the code spans two pieces.
    std::vector<Unit> units = split(stream, {10}, false, 0);
    std::vector<Unit> exact = split(stream, {stream.size()}, true, 0);
    ASSERT_EQ(units.size(), exact.size());
    for (size_t i = 0; i < units.size(); ++i) EXPECT_EQ(units[i].position, exact[i].position / 10 * 100) << i;
}

TEST(PictureSplitter, JunkBeforeTheFirstHeaderIsDropped) {
    StreamBuilder s;
    s.junk(333).sequence(352, 288, 3).gop(true).picture(0, 1).picture(1, 2);
    std::vector<Unit> units = split(s.bytes, {64}, true, 0);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].position, 333);
    EXPECT_EQ(units[0].bytes[3], 0xB3);
}

TEST(PictureSplitter, AFieldPairIsOneUnitWithTheFirstFieldsOrder) {
    StreamBuilder s;
    s.sequence(720, 480, 4).gop(true).picture(0, 1, 2).picture(0, 2, 1).picture(1, 2, 3, true, true);
    std::vector<Unit> units = split(s.bytes, {s.bytes.size()}, true);
    ASSERT_EQ(units.size(), 2u);
    PictureUnitInfo pair = parse_picture_unit(units[0].bytes.data(), units[0].bytes.size());
    EXPECT_EQ(pair.picture_type, 1);
    EXPECT_EQ(pair.picture_structure, 2);
    EXPECT_FALSE(pair.top_field_first);  // the bottom field came first
    PictureUnitInfo frame = parse_picture_unit(units[1].bytes.data(), units[1].bytes.size());
    EXPECT_TRUE(frame.top_field_first);
    EXPECT_TRUE(frame.repeat_first_field);
    EXPECT_EQ(picture_flag_byte(frame), 0x40 | 0x20 | 0x02 | 0x01);
    EXPECT_EQ(split(s.bytes, {1}, true), units);
}

TEST(PictureUnits, HeadersCutShortAreNotReadPastTheEnd) {
    StreamBuilder s;
    s.sequence(720, 576, 3).gop(true).picture(0, 1);
    for (size_t n = 0; n <= s.bytes.size(); ++n) {
        std::vector<uint8_t> cut(s.bytes.begin(), s.bytes.begin() + long(n));  // exact size: ASan sees overreads
        PictureUnitInfo info = parse_picture_unit(cut.data(), cut.size());
        if (info.has_sequence_header) {
            EXPECT_EQ(info.sequence.width, 720);
        }
    }
}

}  // namespace
}  // namespace qz::dgdecode
