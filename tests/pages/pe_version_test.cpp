// The PE version-resource reader on images built in memory: what it reads, and that damaged images
// give nothing (or no product name) without a read outside the buffer.
#include "input/pe_version.h"

#include "pe_image_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

using qz::input::read_pe_version;
using qz::input::version_line;
using qz::test::build_pe;
using qz::test::PeSpec;

std::optional<qz::input::FileVersion> read(const std::vector<uint8_t>& image) { return read_pe_version(image); }

TEST(PeVersion, ReadsVersionAndProductNameOfBothImageKinds) {
    for (bool plus : {false, true}) {
        PeSpec spec;
        spec.pe32_plus = plus;
        spec.version = {0, 28, 0, 2};
        auto version = read(build_pe(spec));
        ASSERT_TRUE(version) << "PE32+ " << plus;
        EXPECT_EQ(version_line(*version), "product name:  QZenc,  file version:  0.28.0.2");
    }
}

TEST(PeVersion, NumbersAreTheHighAndLowWordsWithoutLeadingBlanks) {
    PeSpec spec;
    spec.version = {65535, 0, 10, 65534};
    auto version = read(build_pe(spec));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 65535);
    EXPECT_EQ(version->revision, 65534);
    EXPECT_EQ(version_line(*version), "product name:  QZenc,  file version:  65535.0.10.65534");
}

TEST(PeVersion, ProductNameComesFromTheTableOfTheFirstTranslation) {
    PeSpec spec;
    spec.table_key = u"040904B0";  // upper-case digits match as well
    EXPECT_TRUE(read(build_pe(spec))->has_product_name);

    // A translation naming a language without a table falls back to the table the file has.
    spec.language = 0x0407;
    auto version = read(build_pe(spec));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->product_name, "QZenc");

    spec.with_translation = false;
    EXPECT_EQ(read(build_pe(spec))->product_name, "QZenc");
}

TEST(PeVersion, MissingProductNameStillGivesTheFileVersion) {
    PeSpec spec;
    spec.with_product_name = false;
    auto version = read(build_pe(spec));
    ASSERT_TRUE(version);
    EXPECT_FALSE(version->has_product_name);
    std::string line = version_line(*version);
    EXPECT_NE(line.find(",  file version:  1.2.3.4"), std::string::npos) << line;
}

TEST(PeVersion, ProductNameIsCutAndKeptOnOneLine) {
    PeSpec spec;
    spec.product_name = u"Q\nZ\u00e9\U0001F600" + std::u16string(300, u'x');
    auto version = read(build_pe(spec));
    ASSERT_TRUE(version);
    // 240 characters: Q, blank, Z, e-acute, the emoji (one character of two UTF-16 units), 235 x.
    EXPECT_EQ(version->product_name, "Q Z\xc3\xa9\xf0\x9f\x98\x80" + std::string(235, 'x'));
}

TEST(PeVersion, FilesWithoutAVersionResourceGiveNothing) {
    PeSpec spec;
    spec.with_resources = false;
    EXPECT_FALSE(read(build_pe(spec)));
    spec = PeSpec{};
    spec.with_fixed_info = false;
    EXPECT_FALSE(read(build_pe(spec)));

    const std::vector<uint8_t> elf = {0x7F, 'E', 'L', 'F', 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(read(elf));
    EXPECT_FALSE(read({}));
    EXPECT_FALSE(read({'M', 'Z'}));
}

// Every cut of a good image, and every single damaged byte of its headers and resource tree, is read
// without going outside the buffer (the sanitizer build would see it) and never invents a version.
TEST(PeVersion, DamagedImagesAreReadSafely) {
    const std::vector<uint8_t> good = build_pe(PeSpec{});
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        auto version = read(cut);
        if (version) {
            EXPECT_EQ(version->major, 1) << length;
        }
    }
    for (size_t at = 0; at < good.size(); ++at) {
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
            std::vector<uint8_t> damaged = good;
            damaged[at] = value;
            auto version = read(damaged);
            if (version) {
                EXPECT_LE(version->product_name.size(), 4 * qz::input::kMaxProductNameLength);
            }
        }
    }
}

TEST(PeVersion, ReadsAFileAndRefusesMissingOnes) {
    namespace fs = std::filesystem;
    fs::path path = fs::temp_directory_path() / ("qz_pe_version_" + std::to_string(::getpid()) + ".exe");
    {
        std::vector<uint8_t> image = build_pe(PeSpec{});
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    }
    auto version = qz::input::read_file_version(path.string());
    ASSERT_TRUE(version);
    EXPECT_EQ(version->product_name, "QZenc");
    fs::remove(path);
    EXPECT_FALSE(qz::input::read_file_version(path.string()));
}

}  // namespace
