// Settings 3 page: time code limits, the CPU lines, AVS memory, the lossless estimate and the folder
// buttons.
#include "pages/settings3_page.h"

#include "pages_fixture.h"

namespace qz::pages::testing {
namespace {

using Settings3Test = SettingsPagesTest;

TEST_F(Settings3Test, TimeCodeFieldsKeepTheirLimits) {
    user.type(106, 1401, "30");
    user.type(106, 1402, "59");
    user.type(106, 1403, "60");
    user.type(106, 1404, "75");
    EXPECT_EQ(log(), (Lines{"hour timecode corrected, set to the maximum: 23", "second timecode corrected, set to the maximum: 59",
                            "frame timecode corrected, set to the maximum: 59"}));
    EXPECT_EQ(c.text(106, 1401), "23");
    EXPECT_EQ(c.text(106, 1403), "59");
    EXPECT_EQ(c.text(106, 1404), "59");
    EXPECT_EQ(listed("*TIMECODE"), "*TIMECODE         23 59 59 59");

    clear_log();
    user.type(106, 1402, "abc");  // keeps the previous value
    user.type(106, 1402, "-5");
    user.type(106, 1401, "7");
    EXPECT_EQ(c.text(106, 1402), "0");
    EXPECT_EQ(log(), Lines{});
    EXPECT_EQ(listed("*TIMECODE"), "*TIMECODE         7  0 59 59");
    user.type(106, 1402, "100");
    EXPECT_EQ(log(), Lines{"minute timecode corrected, set to the maximum: 59"});
}

TEST_F(Settings3Test, CpuLinesNameTheForcedAndTheDetectedSets) {
    user.click(106, 1417);
    app.cpu_level = 3;
    user.click(106, 1416);
    user.click(106, 1412);
    app.cpu_level = 1;
    user.click(106, 1411);
    user.click(106, 1410);
    EXPECT_EQ(log(), (Lines{" CPU is forced to use AVX2 extensions, CPU identified as MMX/SSE2/SSE3/SSSE3/SSE4/AVX/AVX2",
                            " CPU is forced to use AVX extensions, CPU identified as MMX/SSE2/SSE3",
                            " CPU is forced to use SSE2 extensions, CPU identified as MMX/SSE2/SSE3",
                            "CPU is forced to use MMX/ISSE extensions, CPU identified as MMX",
                            "auto detection of CPU extensions, CPU identified as MMX"}));
    clear_log();
    app.cpu_level = 0;
    user.click(106, 1415);
    app.cpu_level = 8;
    user.click(106, 1413);
    EXPECT_EQ(log(), Lines{});
    EXPECT_EQ(listed("*CPU"), "*CPU              SSE3");
}

TEST_F(Settings3Test, PriorityAndChromaOutputLines) {
    user.click(106, 1423);
    user.click(106, 1420);
    user.click(106, 1432);
    EXPECT_EQ(log(), (Lines{" priority set to high", " priority set to idle (default)", " chroma output set to 444"}));
    EXPECT_EQ(listed("*PRIORITY"), "");
    EXPECT_EQ(listed("*CHROMAFORMAT"), "*CHROMAFORMAT     444");
}

TEST_F(Settings3Test, AvsMemoryIsAtMost1024AndEmptyMeansTheDefault) {
    user.enter(106, 1424);
    user.type(106, 1424, "4096");
    EXPECT_EQ(c.text(106, 1424), "1024");
    user.leave(106, 1424);
    EXPECT_EQ(listed("*AVSMEMORY"), "*AVSMEMORY        1024");
    user.type(106, 1424, "512");
    user.type(106, 1424, "512k");
    EXPECT_EQ(c.text(106, 1424), "512");
    EXPECT_EQ(app.settings.values.avs_memory_mb, 512);
    user.type(106, 1424, "0");
    EXPECT_EQ(c.text(106, 1424), "");
    user.type(106, 1424, "");
    EXPECT_EQ(app.settings.values.avs_memory_mb, 0);
    user.leave(106, 1424);
    EXPECT_EQ(log(), (Lines{"set maximum Avisynth memory, 1024 MB is the maximum you can set", "Avisynth memory set",
                            "default Avisynth memory"}));
    EXPECT_EQ(listed("*AVSMEMORY"), "");
}

TEST_F(Settings3Test, LosslessFileEstimate) {
    open_video(720, 576, 1000);
    EXPECT_DOUBLE_EQ(lossless_size_gb(app), 1000 * 0.4 * 622080 / 1073741824.0);
    user.click(106, 1426);
    EXPECT_EQ(c.text(106, 1429), "0.23 GB");
    EXPECT_EQ(log(), (Lines{"Use a lossless intermediate file for the second pass (Avisynth input only),",
                            "WARNING, this can create a HUGE file, estimated file size: 0.23 GB"}));
    EXPECT_EQ(listed("*LOSSLESS"), "*LOSSLESS");

    // The estimate follows the frame range.
    settings::show_frame_range(app, 0, 9999);
    refresh_size_estimate(app);
    EXPECT_EQ(c.text(106, 1429), "2.32 GB");

    clear_log();
    user.click(106, 1426);
    EXPECT_EQ(c.text(106, 1429), "");
    EXPECT_EQ(log(), Lines{"No lossless intermediate file"});
}

TEST_F(Settings3Test, OnlyAnAvisynthScriptCanUseTheLosslessFile) {
    c.set_checked(106, 1426, true);  // from a settings file
    open_video(720, 576, 1000, false);
    refresh_size_estimate(app);
    EXPECT_FALSE(c.checked(106, 1426));
    EXPECT_FALSE(c.enabled(106, 1426));
    EXPECT_EQ(c.text(106, 1429), "");

    // A script with no video open yet: usable, nothing to estimate.
    app.video.clear_properties();
    app.video.kind.is_avs = true;
    refresh_size_estimate(app);
    EXPECT_TRUE(c.enabled(106, 1426));
    user.click(106, 1426);
    EXPECT_EQ(c.text(106, 1429), "");
}

TEST_F(Settings3Test, FolderButtonsSetThePathsAndTheirCaptions) {
    dialogs.folders = {"/data/lossless", std::nullopt, "/data/db"};
    user.click(106, 1427);
    user.click(106, 1428);
    user.click(106, 1428);
    EXPECT_EQ(dialogs.titles, (Lines{"Select folder for lossless file:", "Select folder for database file:",
                                     "Select folder for database file:"}));
    EXPECT_EQ(log(), (Lines{"select folder for intermediate lossless file", "folder selected for intermediate lossless file",
                            "select folder for intermediate DBS file", "folder selection aborted...",
                            "select folder for intermediate DBS file", "folder selected for intermediate DBS file"}));
    EXPECT_EQ(app.settings.ll_path, "/data/lossless");
    EXPECT_EQ(app.settings.db_path, "/data/db");
    EXPECT_EQ(c.text(106, 1427), "LL path (set)");
    EXPECT_EQ(c.text(106, 1428), "DB path (set)");
    EXPECT_EQ(listed("*LLPATH"), "*LLPATH           /data/lossless");
    EXPECT_EQ(listed("*DBPATH"), "*DBPATH           /data/db");

    // A cancelled or too long choice keeps what was set.
    dialogs.folders = {std::string(600, 'x')};
    clear_log();
    user.click(106, 1427);
    user.click(106, 1427);
    EXPECT_EQ(app.settings.ll_path, "/data/lossless");
    EXPECT_EQ(log(), (Lines{"select folder for intermediate lossless file", "folder name too long, at most 512 characters",
                            "select folder for intermediate lossless file", "folder selection aborted..."}));

    clear_log();
    user.click(106, 1425);
    EXPECT_EQ(log(), Lines{"clear file paths for lossless and database"});
    EXPECT_EQ(app.settings.ll_path, "");
    EXPECT_EQ(app.settings.db_path, "");
    EXPECT_EQ(c.text(106, 1427), "LL path (not set)");
    EXPECT_EQ(c.text(106, 1428), "DB path (not set)");
    EXPECT_EQ(listed("*LLPATH"), "");
    EXPECT_EQ(listed("*DBPATH"), "");
}

}  // namespace
}  // namespace qz::pages::testing
