// Lines from a file and from memory are the same lines: cut to 512 characters, CR LF or LF ends,
// also where a line crosses the file reader's block boundary.
#include "settings/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace qz::settings;

std::vector<std::string> lines_of(LineReader& reader) {
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line)) lines.emplace_back(line);
    return lines;
}

TEST(LineReaderTest, LineEndsAndTheLengthLimit) {
    const std::string text = "a\r\nb\n\nc\rd\n" + std::string(600, 'x') + "\r\nlast";
    TextLineReader reader(text);
    auto lines = lines_of(reader);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "c\rd");  // a lone CR is no line end
    EXPECT_EQ(lines[4], std::string(512, 'x'));
    EXPECT_EQ(lines[5], "last");
    TextLineReader last("only\n");
    EXPECT_EQ(lines_of(last), std::vector<std::string>{"only"});
}

TEST(LineReaderTest, AFileGivesTheSameLinesAcrossItsBlocks) {
    std::mt19937 random(12345);
    std::string text;
    while (text.size() < 300 * 1024) {
        size_t length = random() % 7 == 0 ? 400 + random() % 3000 : random() % 40;
        for (size_t i = 0; i < length; ++i) text.push_back(static_cast<char>('a' + random() % 26));
        text += random() % 2 ? "\r\n" : "\n";
    }
    // Lines of exactly 512 and 513 characters ending in CR LF right at the first block boundary.
    std::string edge(64 * 1024 - 514, 'e');
    text = edge + "\n" + std::string(512, 'f') + "\r\n" + std::string(513, 'g') + "\r\n" + text;

    const std::string path = testing::TempDir() + "qz_line_reader_blocks.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    qz::platform::FileReader file;
    ASSERT_EQ(file.open(path, text.size()), qz::platform::ReadStatus::Ok);
    FileLineReader from_file(file);
    TextLineReader from_text(text);
    auto file_lines = lines_of(from_file);
    EXPECT_FALSE(from_file.failed());
    std::remove(path.c_str());
    auto text_lines = lines_of(from_text);
    ASSERT_EQ(file_lines.size(), text_lines.size());
    EXPECT_EQ(file_lines, text_lines);
    EXPECT_EQ(file_lines[1], std::string(512, 'f'));
    EXPECT_EQ(file_lines[2], std::string(512, 'g'));
}

}  // namespace
