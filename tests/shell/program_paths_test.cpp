#include "platform/program_paths.h"

#include <gtest/gtest.h>

namespace {

using qz::platform::build_program_paths;
using qz::platform::cpu_level_from;
using qz::platform::processor_count_from;

TEST(ProgramPaths, CompanionFilesSitBesideTheProgramEvenWithBlanksInTheFolder) {
    auto p = build_program_paths("/opt/my encoder/bin/qzgui   ", '/');
    EXPECT_EQ(p.program_folder, "/opt/my encoder/bin/");
    EXPECT_EQ(p.default_settings_file, "/opt/my encoder/bin/QZ.ini");
    EXPECT_EQ(p.encoder_file, "/opt/my encoder/bin/QZenc_028.exe");
    EXPECT_EQ(p.encoder_database_file, "/opt/my encoder/bin/QZ.dbs");
    EXPECT_EQ(p.dgdecode_folder, "/opt/my encoder/bin/DGDecode/");
    EXPECT_EQ(p.matrix_folder, "/opt/my encoder/bin/matrix/");
    EXPECT_EQ(p.working_dgdecode_copy, "/opt/my encoder/bin/DGDecode.dll");
}

TEST(ProgramPaths, NoSeparatorMeansTheCurrentDirectory) {
    auto p = build_program_paths("qzgui", '/');
    EXPECT_EQ(p.program_folder, "");
    EXPECT_EQ(p.default_settings_file, "QZ.ini");
    EXPECT_EQ(p.dgdecode_folder, "DGDecode/");
}

TEST(ProcessorCount, EnvironmentDecidesWhenSetOtherwiseOnlineProcessors) {
    EXPECT_FALSE(processor_count_from(std::string("1"), 8).several);
    EXPECT_TRUE(processor_count_from(std::string("2"), 1).several);
    EXPECT_EQ(processor_count_from(std::string("16"), 1).count, 16);
    EXPECT_FALSE(processor_count_from(std::string(""), 8).several);
    EXPECT_FALSE(processor_count_from(std::string("four"), 8).several);
    EXPECT_FALSE(processor_count_from(std::string("4x"), 8).several);
    EXPECT_TRUE(processor_count_from(std::nullopt, 2).several);
    EXPECT_FALSE(processor_count_from(std::nullopt, 1).several);
}

qz::platform::CpuFeatureWords words(uint32_t edx, uint32_t ecx, uint32_t leaf7_ebx = 0) {
    qz::platform::CpuFeatureWords w;
    w.leaf1_edx = edx;
    w.leaf1_ecx = ecx;
    w.leaf7_ebx = leaf7_ebx;
    return w;
}

TEST(CpuLevel, LadderFromFeatureWords) {
    constexpr uint32_t mmx = 1u << 23, sse = 1u << 25, sse2 = 1u << 26;
    constexpr uint32_t sse3 = 1u << 0, ssse3 = 1u << 9, sse41 = 1u << 19, sse42 = 1u << 20, avx = 1u << 28;
    EXPECT_EQ(cpu_level_from(words(0, 0)), 0);
    EXPECT_EQ(cpu_level_from(words(mmx, 0)), 0);
    EXPECT_EQ(cpu_level_from(words(mmx | sse, 0)), 1);
    EXPECT_EQ(cpu_level_from(words(mmx | sse | sse2, 0)), 2);
    EXPECT_EQ(cpu_level_from(words(sse2, sse3)), 3);
    EXPECT_EQ(cpu_level_from(words(sse2, sse3 | ssse3)), 4);
    EXPECT_EQ(cpu_level_from(words(sse2, sse3 | ssse3 | sse41)), 5);
    EXPECT_EQ(cpu_level_from(words(sse2, sse3 | sse42)), 5);
    EXPECT_EQ(cpu_level_from(words(sse2, sse3 | sse41 | avx)), 6);
    // AVX without SSE3 does not count; AVX2 always gives 7.
    EXPECT_EQ(cpu_level_from(words(sse2, avx)), 2);
    EXPECT_EQ(cpu_level_from(words(0, 0, 1u << 5)), 7);
}

}  // namespace
