// The DGDecode library as the program uses it: loaded at run time, three functions looked up by
// name, frames fetched by number in any order.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <numeric>
#include <random>
#include <regex>

#include <gtest/gtest.h>

#include "test_clips.h"
#include "test_pattern.h"

namespace qz::dgtest {
namespace {

namespace fs = std::filesystem;
using testclip::ClipSpec;
using testclip::D2vSpec;

struct FrameCheck {
    int number = -1;        // read from the blocks
    double luma_diff = 0;   // against the picture as drawn
    uint64_t sum = 0;
};

FrameCheck check_frame(const DgVideoInfo& info, const unsigned char* frame, int expected) {
    FrameCheck c;
    c.number = testclip::read_frame_number(frame, info.width, info.height, info.width);
    c.luma_diff = testclip::luma_difference(frame, info.width, info.height, info.width, expected);
    c.sum = checksum(frame, dg_frame_size(&info));
    return c;
}

// Every frame in order: its number reads back and it is close to what was encoded.
std::vector<uint64_t> fetch_in_order(DgLibrary& lib, const DgVideoInfo& info) {
    std::vector<uint64_t> sums;
    for (int n = 0; n < info.num_frames; ++n) {
        const unsigned char* frame = lib.get_frame(n);
        EXPECT_NE(frame, nullptr);
        if (!frame) return sums;
        FrameCheck c = check_frame(info, frame, n);
        EXPECT_EQ(c.number, n);
        EXPECT_LT(c.luma_diff, 3.0) << "frame " << n;
        EXPECT_STREQ(lib.last_error(), "") << "frame " << n;
        sums.push_back(c.sum);
    }
    return sums;
}

void expect_same_frames_in_order(DgLibrary& lib, const DgVideoInfo& info, const std::vector<int>& order,
                                 const std::vector<uint64_t>& sums) {
    for (int n : order) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(checksum(frame, dg_frame_size(&info)), sums[size_t(n)]) << "frame " << n;
    }
}

std::vector<int> shuffled(int count, unsigned seed) {
    std::vector<int> order(size_t(count), 0);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(seed));
    return order;
}

TEST(DGDecodeLibrary, EveryVersionedNameLoadsAndExportsTheThreeFunctions) {
    for (const char* version : {"06", "07", "08", "09", "10", "11", "12", "13", "14", "15", "16"}) {
        std::string name = std::string("DGDecode") + version + ".dll";
        DgLibrary lib(name);
        ASSERT_NE(lib.handle, nullptr) << name << ": " << platform::last_library_error();
        EXPECT_NE(lib.open, nullptr) << name;
        EXPECT_NE(lib.get_frame, nullptr) << name;
        EXPECT_NE(lib.close, nullptr) << name;
    }
}

// Clips of every kind the library reads: frame n is always the same picture, whatever the order
// of the requests.
struct ClipCase {
    const char* name;
    ClipSpec spec;
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

ClipSpec clip(const char* path, int frames = 300) {
    ClipSpec s;
    s.path = path;
    s.frames = frames;
    return s;
}

std::vector<ClipCase> clip_cases() {
    std::vector<ClipCase> cases;
    cases.push_back({"OpenGopsElementary", clip("x.m2v")});
    ClipSpec closed = clip("x.m2v", 120);
    closed.closed_gops = true;
    cases.push_back({"ClosedGops", closed});
    ClipSpec no_b = clip("x.m2v", 100);
    no_b.b_frames = 0;
    no_b.gop = 15;
    cases.push_back({"NoBPictures", no_b});
    cases.push_back({"ProgramStream", clip("x.mpg")});
    ClipSpec two_files = clip("x.m2v");
    two_files.files = 2;
    cases.push_back({"TwoFiles", two_files});
    ClipSpec three_ps = clip("x.mpg", 150);
    three_ps.files = 3;
    cases.push_back({"ProgramStreamInThreeFiles", three_ps});
    ClipSpec transport = clip("x.ts", 150);
    transport.files = 2;
    cases.push_back({"TransportStreamInTwoFiles", transport});
    ClipSpec interlaced = clip("x.m2v", 100);
    interlaced.interlaced = true;
    cases.push_back({"Interlaced", interlaced});
    ClipSpec chroma = clip("x.m2v", 60);
    chroma.chroma_422 = true;
    cases.push_back({"Chroma422", chroma});
    ClipSpec ntsc = clip("x.m2v", 90);
    ntsc.width = 352;
    ntsc.height = 240;
    ntsc.rate_numerator = 30000;
    ntsc.rate_denominator = 1001;
    ntsc.gop = 15;
    ntsc.b_frames = 3;
    cases.push_back({"SmallNtscLongGop", ntsc});
    return cases;
}

class ClipKinds : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipKinds, FramesCarryTheirNumbersInAnyRequestOrder) {
    const ClipCase& c = GetParam();
    TestClip made = ensure_clip(c.name, c.spec);
    DgLibrary lib;
    ASSERT_NE(lib.open, nullptr);
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    EXPECT_EQ(info->width, c.spec.width);
    EXPECT_EQ(info->height, c.spec.height);
    EXPECT_EQ(info->num_frames, c.spec.frames);
    EXPECT_EQ(info->fps_numerator, unsigned(c.spec.rate_numerator));
    EXPECT_EQ(info->fps_denominator, unsigned(c.spec.rate_denominator));
    EXPECT_EQ(info->pixel_type, c.spec.chroma_422 ? DG_PIXEL_TYPE_YUY2 : DG_PIXEL_TYPE_YV12);

    std::vector<uint64_t> sums = fetch_in_order(lib, *info);
    ASSERT_EQ(int(sums.size()), info->num_frames);
    expect_same_frames_in_order(lib, *info, shuffled(info->num_frames, 517), sums);
    std::vector<int> backwards(sums.size());
    std::iota(backwards.rbegin(), backwards.rend(), 0);
    expect_same_frames_in_order(lib, *info, backwards, sums);

    // A fresh open that starts in the middle, on a B picture shown before its GOP's I picture.
    lib.close();
    info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr);
    int middle = std::min(info->num_frames - 1, 2 * c.spec.gop + 1);
    expect_same_frames_in_order(lib, *info, {middle, middle - 1, info->num_frames - 1, 0}, sums);
}

TEST_P(ClipKinds, ChromaPlanesMatchWhatWasEncoded) {
    const ClipCase& c = GetParam();
    TestClip made = ensure_clip(c.name, c.spec);
    DgLibrary lib;
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    int cw = info->width / 2;
    int ch = c.spec.chroma_422 ? info->height : info->height / 2;
    for (int n : {0, info->num_frames / 2, info->num_frames - 1}) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        const unsigned char* u = frame + size_t(info->width) * size_t(info->height);
        const unsigned char* v = u + size_t(cw) * size_t(ch);
        // Interlaced 4:2:0 chroma is subsampled per field, which smears it a little more.
        double limit = c.spec.interlaced ? 6.0 : 3.0;
        EXPECT_LT(testclip::chroma_difference(u, cw, ch, cw, 1, n), limit) << "frame " << n;
        EXPECT_LT(testclip::chroma_difference(v, cw, ch, cw, 2, n), limit) << "frame " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(DGDecodeLibrary, ClipKinds, ::testing::ValuesIn(clip_cases()),
                         [](const ::testing::TestParamInfo<ClipCase>& i) { return std::string(i.param.name); });

TEST(DGDecodeLibrary, FrameNumbersOutsideTheClipGiveItsFirstAndLastFrame) {
    TestClip made = ensure_clip("OpenGopsElementary", clip("x.m2v"));
    DgLibrary lib;
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr);
    size_t size = dg_frame_size(info);
    uint64_t first = checksum(lib.get_frame(0), size);
    uint64_t last = checksum(lib.get_frame(info->num_frames - 1), size);
    EXPECT_EQ(checksum(lib.get_frame(-7), size), first);
    EXPECT_EQ(checksum(lib.get_frame(info->num_frames + 1000), size), last);
}

TEST(DGDecodeLibrary, PulldownIsHonouredFromFieldsOrIgnoredAsForceFilmAsked) {
    ClipSpec film = clip("x.m2v", 40);
    film.rate_numerator = 24000;
    film.rate_denominator = 1001;
    film.pulldown = true;
    TestClip made = ensure_clip("Pulldown", film);

    DgLibrary lib;
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    // 40 film pictures, each 2 or 3 fields in the cycle 3 2 3 2: 100 fields, 50 frames.
    EXPECT_EQ(info->num_frames, 50);
    EXPECT_EQ(info->fps_numerator, 30000u);
    EXPECT_EQ(info->fps_denominator, 1001u);
    // Frame 5k+j shows the film pictures (top field, bottom field) below.
    const int kTop[5] = {0, 0, 1, 2, 3}, kBottom[5] = {0, 1, 2, 2, 3};
    std::vector<uint64_t> sums;
    for (int n = 0; n < info->num_frames; ++n) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        int k = n / 5, j = n % 5;
        EXPECT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width, 0), 4 * k + kTop[j])
            << "frame " << n;
        EXPECT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width, 1),
                  4 * k + kBottom[j])
            << "frame " << n;
        sums.push_back(checksum(frame, dg_frame_size(info)));
    }
    expect_same_frames_in_order(lib, *info, shuffled(info->num_frames, 3), sums);

    D2vSpec force_film;
    force_film.d2v_path = clip_folder() + "/Pulldown_force_film.d2v";
    force_film.stream_files = made.streams;
    force_film.field_operation = 1;
    write_project(force_film);
    info = lib.open(force_film.d2v_path.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    EXPECT_EQ(info->num_frames, 40);
    EXPECT_EQ(info->fps_numerator, 24000u);
    EXPECT_EQ(info->fps_denominator, 1001u);
    for (int n : shuffled(40, 8)) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width), n);
    }

    D2vSpec ignore = force_film;
    ignore.d2v_path = clip_folder() + "/Pulldown_ignore.d2v";
    ignore.field_operation = 2;
    write_project(ignore);
    info = lib.open(ignore.d2v_path.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    EXPECT_EQ(info->num_frames, 40);
    EXPECT_EQ(info->fps_numerator, 30000u);
}

TEST(DGDecodeLibrary, OldAndNewProjectVersionsNameTheirFilesAndGiveTheSameFrames) {
    ClipSpec two = clip("x.m2v");
    two.files = 2;
    TestClip made = ensure_clip("TwoFiles", two);
    DgLibrary lib;
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr);
    std::vector<int> sample = {0, 1, 2, 149, 150, 151, 298, 299};
    std::vector<uint64_t> expected;
    for (int n : sample) expected.push_back(checksum(lib.get_frame(n), dg_frame_size(info)));

    for (int version : {6, 10, 11, 16}) {
        D2vSpec project;
        project.d2v_path = clip_folder() + "/TwoFiles_version" + std::to_string(version) + ".d2v";
        project.stream_files = made.streams;
        project.version = version;
        write_project(project);
        std::ifstream text(project.d2v_path);
        std::string header, count, first_file;
        std::getline(text, header);
        std::getline(text, count);
        std::getline(text, first_file);
        EXPECT_EQ(header, "DGIndexProjectFile" + std::string(version < 10 ? "0" : "") + std::to_string(version));
        if (version < 10) {
            EXPECT_EQ(first_file, std::to_string(made.streams[0].size()) + " " + made.streams[0]);
        } else {
            EXPECT_EQ(first_file, made.streams[0]);
        }
        info = lib.open(project.d2v_path.c_str());
        ASSERT_NE(info, nullptr) << "version " << version << ": " << lib.last_error();
        EXPECT_EQ(info->num_frames, 300);
        EXPECT_EQ(info->fps_numerator, 25u);
        EXPECT_EQ(info->fps_denominator, 1u);
        for (size_t i = 0; i < sample.size(); ++i)
            EXPECT_EQ(checksum(lib.get_frame(sample[i]), dg_frame_size(info)), expected[i])
                << "version " << version << " frame " << sample[i];
    }
}

TEST(DGDecodeLibrary, RelativePathsWithWindowsSeparatorsFollowTheProjectWhenItMoves) {
    fs::path home = fs::path(clip_folder()) / "relative_project";
    fs::remove_all(home);
    fs::create_directories(home / "video");
    ClipSpec spec = clip("x.m2v", 48);
    spec.files = 2;
    TestClip made = ensure_clip("RelativeSource", spec);
    for (const std::string& s : made.streams) fs::copy_file(s, home / "video" / fs::path(s).filename());
    D2vSpec project;
    project.d2v_path = (home / "movie.d2v").string();
    for (const std::string& s : made.streams) project.stream_files.push_back((home / "video" / fs::path(s).filename()).string());
    project.paths = testclip::PathStyle::relative_backslash;
    project.version = 6;
    write_project(project);
    std::ifstream text(project.d2v_path);
    std::string line;
    std::getline(text, line);
    std::getline(text, line);
    std::getline(text, line);
    EXPECT_NE(line.find("video\\"), std::string::npos) << line;

    fs::path moved = fs::path(clip_folder()) / "relative_project_moved";
    fs::remove_all(moved);
    fs::copy(home, moved, fs::copy_options::recursive);
    fs::remove_all(home);
    DgLibrary lib;
    const DgVideoInfo* info = lib.open((moved / "movie.d2v").string().c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    EXPECT_EQ(info->num_frames, 48);
    for (int n : {47, 0, 24, 23}) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width), n);
    }
}

std::string copy_with_size(const std::string& from, const std::string& to, uintmax_t size) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    fs::resize_file(to, size);
    return to;
}

// The project of an intact one-file clip, pointed at a copy that was damaged after indexing.
std::string project_for_changed_copy(const TestClip& made, const std::string& copy, const std::string& name) {
    D2vSpec project;
    project.d2v_path = clip_folder() + "/" + name;
    project.stream_files = made.streams;
    write_project(project);
    std::ifstream in(project.d2v_path);
    std::string text(std::istreambuf_iterator<char>(in), {});
    in.close();
    size_t at = text.find(made.streams[0]);
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) text.replace(at, made.streams[0].size(), copy);
    std::ofstream(project.d2v_path, std::ios::trunc) << text;
    return project.d2v_path;
}

// A copy shorter than the file its project indexes (a download that stopped): the open says which
// frames are missing, those frames are refused with the reason, and every other one is exact. No
// other picture ever stands in for a frame that is not there.
TEST(DGDecodeLibrary, ACopyShorterThanItsIndexNamesItsMissingFramesAndGivesNoneOfThem) {
    TestClip made = ensure_clip("OpenGopsElementary", clip("x.m2v"));
    DgLibrary lib;
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(lib.last_error(), "") << "an intact project opens without a warning";
    std::vector<uint64_t> sums;
    for (int n = 0; n < info->num_frames; ++n) sums.push_back(checksum(lib.get_frame(n), dg_frame_size(info)));

    // The project still describes the whole file, which lost its second half (mid-picture).
    uintmax_t full = fs::file_size(made.streams[0]);
    std::string cut = copy_with_size(made.streams[0], clip_folder() + "/truncated.m2v", full / 2 + 777);
    std::string whole = project_for_changed_copy(made, cut, "truncated_full_index.d2v");
    info = lib.open(whole.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    EXPECT_EQ(info->num_frames, 300);
    const std::string warning = lib.last_error();
    std::smatch found;
    ASSERT_TRUE(std::regex_match(warning, found,
                                 std::regex("the MPEG files are shorter than the index: frames (\\d+) to 299 are missing")))
        << warning;
    const int first_missing = std::stoi(found[1].str());
    EXPECT_GT(first_missing, 100);
    EXPECT_LT(first_missing, 200);

    for (int n : shuffled(300, 11)) {
        const unsigned char* frame = lib.get_frame(n);
        if (n < first_missing) {
            ASSERT_NE(frame, nullptr) << "frame " << n << ": " << lib.last_error();
            EXPECT_EQ(checksum(frame, dg_frame_size(info)), sums[size_t(n)]) << "frame " << n;
            EXPECT_STREQ(lib.last_error(), "") << "frame " << n;
        } else {
            EXPECT_EQ(frame, nullptr) << "frame " << n;
            EXPECT_EQ(std::string(lib.last_error()), "frame " + std::to_string(n) + " is missing: the MPEG files end before it");
        }
    }

    // Cut before its first GOP ends, the copy has no frame at all: refused at the open.
    std::string stub = copy_with_size(made.streams[0], clip_folder() + "/truncated_stub.m2v", 200);
    EXPECT_EQ(lib.open(project_for_changed_copy(made, stub, "truncated_stub.d2v").c_str()), nullptr);
    EXPECT_NE(std::string(lib.last_error()).find("shorter than the index"), std::string::npos) << lib.last_error();

    // Indexed from the cut file itself: the incomplete last picture is listed; it is given or
    // refused as missing, never a crash.
    D2vSpec own;
    own.d2v_path = clip_folder() + "/truncated_own_index.d2v";
    own.stream_files = {cut};
    write_project(own);
    info = lib.open(own.d2v_path.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    for (int n : {info->num_frames - 1, 0, info->num_frames - 2, info->num_frames / 2}) {
        if (lib.get_frame(n)) continue;
        EXPECT_EQ(std::string(lib.last_error()), "frame " + std::to_string(n) + " is missing: the MPEG files end before it");
    }
    EXPECT_NE(lib.get_frame(0), nullptr);
}

TEST(DGDecodeLibrary, ADamagedGopSparesTheOthers) {
    TestClip made = ensure_clip("OpenGopsElementary", clip("x.m2v"));
    std::string damaged = clip_folder() + "/damaged.m2v";
    fs::copy_file(made.streams[0], damaged, fs::copy_options::overwrite_existing);
    // Overwrite the middle of the file with bytes that form start codes and junk.
    uintmax_t size = fs::file_size(damaged);
    {
        std::fstream f(damaged, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(std::streamoff(size / 2));
        std::mt19937 random(5);
        for (int i = 0; i < 30000; ++i) f.put(char(i % 97 == 0 ? 0 : i % 97 == 1 ? 0 : i % 97 == 2 ? 1 : int(random() & 0xff)));
    }
    std::string project = project_for_changed_copy(made, damaged, "damaged.d2v");
    DgLibrary lib;
    const DgVideoInfo* info = lib.open(project.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    int readable = 0;
    for (int n : shuffled(info->num_frames, 21)) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        int number = testclip::read_frame_number(frame, info->width, info->height, info->width);
        if (number == n) ++readable;
    }
    EXPECT_GT(readable, 250);
    // The first and last GOPs are far from the damage.
    for (int n : {0, 5, 11, info->num_frames - 1}) {
        const unsigned char* frame = lib.get_frame(n);
        EXPECT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width), n);
    }
}

// Index writers differ in where a GOP start's position points: at the sequence header before
// it (as ours do) or at the GOP header itself.
TEST(DGDecodeLibrary, IndexPositionsAtGopHeadersWork) {
    TestClip made = ensure_clip("OpenGopsElementary", clip("x.m2v"));
    std::ifstream stream_in(made.streams[0], std::ios::binary);
    std::string stream((std::istreambuf_iterator<char>(stream_in)), {});
    std::ifstream d2v_in(made.d2v);
    std::string line, rewritten;
    int moved = 0;
    while (std::getline(d2v_in, line)) {
        std::istringstream tokens(line);
        std::vector<std::string> t{std::istream_iterator<std::string>(tokens), {}};
        if (t.size() > 7 && t[0].size() == 3 && t[0] != "FIN") {
            size_t gop = stream.find(std::string("\0\0\1\xB8", 4), std::stoul(t[3]));
            ASSERT_NE(gop, std::string::npos);
            moved += gop != std::stoul(t[3]);
            t[3] = std::to_string(gop);
            line.clear();
            for (const std::string& token : t) line += (line.empty() ? "" : " ") + token;
        }
        rewritten += line + "\n";
    }
    EXPECT_GT(moved, 20);
    std::string project = clip_folder() + "/gop_header_positions.d2v";
    std::ofstream(project, std::ios::trunc) << rewritten;

    DgLibrary lib;
    const DgVideoInfo* info = lib.open(project.c_str());
    ASSERT_NE(info, nullptr) << lib.last_error();
    fetch_in_order(lib, *info);
    for (int n : shuffled(info->num_frames, 99)) {
        const unsigned char* frame = lib.get_frame(n);
        ASSERT_NE(frame, nullptr);
        ASSERT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width), n);
    }
}

TEST(DGDecodeLibrary, ClippingOfTheProjectCutsTheDeliveredFrame) {
    TestClip made = ensure_clip("OpenGopsElementary", clip("x.m2v"));
    DgLibrary lib;
    const DgVideoInfo* info = lib.open(made.d2v.c_str());
    ASSERT_NE(info, nullptr);
    std::vector<unsigned char> whole(lib.get_frame(37), lib.get_frame(37) + dg_frame_size(info));

    D2vSpec clipped;
    clipped.d2v_path = clip_folder() + "/clipped.d2v";
    clipped.stream_files = made.streams;
    clipped.clip_left = 8;
    clipped.clip_right = 24;
    clipped.clip_top = 16;
    clipped.clip_bottom = 32;
    write_project(clipped);
    info = lib.open(clipped.d2v_path.c_str());
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->width, 720 - 32);
    ASSERT_EQ(info->height, 576 - 48);
    const unsigned char* frame = lib.get_frame(37);
    int w = info->width, h = info->height;
    for (int row : {0, 1, h / 2, h - 1})
        EXPECT_EQ(0, std::memcmp(frame + size_t(row) * w, whole.data() + size_t(row + 16) * 720 + 8, size_t(w)));
    const unsigned char* u = frame + size_t(w) * h;
    const unsigned char* whole_u = whole.data() + 720 * 576;
    for (int row : {0, h / 4 - 1})
        EXPECT_EQ(0, std::memcmp(u + size_t(row) * (w / 2), whole_u + size_t(row + 8) * 360 + 4, size_t(w / 2)));
}

TEST(DGDecodeLibrary, WhatCannotBeOpenedGivesNullAndAReason) {
    DgLibrary lib;
    ASSERT_NE(lib.open, nullptr);
    EXPECT_EQ(lib.get_frame(0), nullptr);  // nothing open yet
    EXPECT_EQ(lib.open(nullptr), nullptr);
    EXPECT_EQ(lib.open((clip_folder() + "/no_such.d2v").c_str()), nullptr);
    EXPECT_STRNE(lib.last_error(), "");

    auto write_text = [](const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return path;
    };
    std::string dir = clip_folder();
    std::string missing = write_text(dir + "/missing_source.d2v",
                                     "DGIndexProjectFile16\n1\n" + dir + "/gone.m2v\n\nStream_Type=0\n\n"
                                     "900 0 0 0 0 0 0 d2 b2 ff\n\nFINISHED\n");
    EXPECT_EQ(lib.open(missing.c_str()), nullptr);
    EXPECT_NE(std::string(lib.last_error()).find("gone.m2v"), std::string::npos) << lib.last_error();

    EXPECT_EQ(lib.open(write_text(dir + "/not_a_project.d2v", "hello\nworld\n").c_str()), nullptr);
    EXPECT_EQ(lib.open(write_text(dir + "/empty.d2v", "").c_str()), nullptr);

    std::string junk(200000, '\0');
    std::mt19937 random(9);
    for (char& c : junk) c = char(random() & 0xff);
    write_text(dir + "/junk.m2v", junk);
    std::string junk_project = write_text(dir + "/junk.d2v", "DGIndexProjectFile16\n1\njunk.m2v\n\nStream_Type=0\n\n"
                                                            "900 0 0 0 0 0 0 d2 b2 b2 e2 ff\n\nFINISHED\n");
    EXPECT_EQ(lib.open(junk_project.c_str()), nullptr);
    EXPECT_STRNE(lib.last_error(), "");
    EXPECT_EQ(lib.get_frame(0), nullptr);  // a failed open leaves nothing open
}

bool library_is_mapped() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("/DGDecode16.dll") != std::string::npos) return true;
    return false;
}

TEST(DGDecodeLibrary, UnloadingGivesTheProjectUpAndLoadingAgainWorks) {
    TestClip made = ensure_clip("OpenGopsElementary", clip("x.m2v"));
    for (int round = 0; round < 2; ++round) {
        {
            DgLibrary lib;
            const DgVideoInfo* info = lib.open(made.d2v.c_str());
            ASSERT_NE(info, nullptr);
            const unsigned char* frame = lib.get_frame(100 + round);
            EXPECT_EQ(testclip::read_frame_number(frame, info->width, info->height, info->width), 100 + round);
            // No closeVideo: the program gives a project up by unloading the library.
        }
        EXPECT_FALSE(library_is_mapped()) << "the library (and the open project) stayed in memory";
    }
}

}  // namespace
}  // namespace qz::dgtest
