// Settings 3 page: time code limits, the CPU lines, AVS memory, the lossless estimate and the folder
// buttons.
#include "pages/settings3_page.h"

#include "pages_fixture.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings3_page.h"

namespace qz::pages::testing {

using ui::dialog::kSettings3Page;
using namespace ui::settings3_ids;

namespace {

using Settings3Test = SettingsPagesTest;

TEST_F(Settings3Test, TimeCodeFieldsKeepTheirLimits) {
    user.type(kSettings3Page, kTimeCodeHourBox, "30");
    user.type(kSettings3Page, kTimeCodeMinuteBox, "59");
    user.type(kSettings3Page, kTimeCodeSecondBox, "60");
    user.type(kSettings3Page, kTimeCodeFrameBox, "75");
    EXPECT_EQ(log(), (Lines{"hour timecode corrected, set to the maximum: 23", "second timecode corrected, set to the maximum: 59",
                            "frame timecode corrected, set to the maximum: 59"}));
    EXPECT_EQ(c.text(kSettings3Page, kTimeCodeHourBox), "23");
    EXPECT_EQ(c.text(kSettings3Page, kTimeCodeSecondBox), "59");
    EXPECT_EQ(c.text(kSettings3Page, kTimeCodeFrameBox), "59");
    EXPECT_EQ(listed("*TIMECODE"), "*TIMECODE         23 59 59 59");

    clear_log();
    user.type(kSettings3Page, kTimeCodeMinuteBox, "abc");  // keeps the previous value
    user.type(kSettings3Page, kTimeCodeMinuteBox, "-5");
    user.type(kSettings3Page, kTimeCodeHourBox, "7");
    EXPECT_EQ(c.text(kSettings3Page, kTimeCodeMinuteBox), "0");
    EXPECT_EQ(log(), Lines{});
    EXPECT_EQ(listed("*TIMECODE"), "*TIMECODE         7  0 59 59");
    user.type(kSettings3Page, kTimeCodeMinuteBox, "100");
    EXPECT_EQ(log(), Lines{"minute timecode corrected, set to the maximum: 59"});
}

TEST_F(Settings3Test, CpuLinesNameTheForcedAndTheDetectedSets) {
    user.click(kSettings3Page, kCpuAvx2Radio);
    app.cpu_level = 3;
    user.click(kSettings3Page, kCpuAvxRadio);
    user.click(kSettings3Page, kCpuSse2Radio);
    app.cpu_level = 1;
    user.click(kSettings3Page, kCpuMmxRadio);
    user.click(kSettings3Page, kCpuAutoRadio);
    EXPECT_EQ(log(), (Lines{" CPU is forced to use AVX2 extensions, CPU identified as MMX/SSE2/SSE3/SSSE3/SSE4/AVX/AVX2",
                            " CPU is forced to use AVX extensions, CPU identified as MMX/SSE2/SSE3",
                            " CPU is forced to use SSE2 extensions, CPU identified as MMX/SSE2/SSE3",
                            "CPU is forced to use MMX/ISSE extensions, CPU identified as MMX",
                            "auto detection of CPU extensions, CPU identified as MMX"}));
    clear_log();
    app.cpu_level = 0;
    user.click(kSettings3Page, kCpuSse4Radio);
    app.cpu_level = 8;
    user.click(kSettings3Page, kCpuSse3Radio);
    EXPECT_EQ(log(), Lines{});
    EXPECT_EQ(listed("*CPU"), "*CPU              SSE3");
}

TEST_F(Settings3Test, PriorityAndChromaOutputLines) {
    user.click(kSettings3Page, kPriorityHighRadio);
    user.click(kSettings3Page, kPriorityIdleRadio);
    user.click(kSettings3Page, kChroma444Radio);
    EXPECT_EQ(log(), (Lines{" priority set to high", " priority set to idle (default)", " chroma output set to 444"}));
    EXPECT_EQ(listed("*PRIORITY"), "");
    EXPECT_EQ(listed("*CHROMAFORMAT"), "*CHROMAFORMAT     444");
}

TEST_F(Settings3Test, AvsMemoryIsAtMost1024AndEmptyMeansTheDefault) {
    user.enter(kSettings3Page, kAvsMemoryBox);
    user.type(kSettings3Page, kAvsMemoryBox, "4096");
    EXPECT_EQ(c.text(kSettings3Page, kAvsMemoryBox), "1024");
    user.leave(kSettings3Page, kAvsMemoryBox);
    EXPECT_EQ(listed("*AVSMEMORY"), "*AVSMEMORY        1024");
    user.type(kSettings3Page, kAvsMemoryBox, "512");
    user.type(kSettings3Page, kAvsMemoryBox, "512k");
    EXPECT_EQ(c.text(kSettings3Page, kAvsMemoryBox), "512");
    EXPECT_EQ(app.settings.values.avs_memory_mb, 512);
    user.type(kSettings3Page, kAvsMemoryBox, "0");
    EXPECT_EQ(c.text(kSettings3Page, kAvsMemoryBox), "");
    user.type(kSettings3Page, kAvsMemoryBox, "");
    EXPECT_EQ(app.settings.values.avs_memory_mb, 0);
    user.leave(kSettings3Page, kAvsMemoryBox);
    EXPECT_EQ(log(), (Lines{"set maximum Avisynth memory, 1024 MB is the maximum you can set", "Avisynth memory set",
                            "default Avisynth memory"}));
    EXPECT_EQ(listed("*AVSMEMORY"), "");
}

TEST_F(Settings3Test, LosslessFileEstimate) {
    open_video(720, 576, 1000);
    EXPECT_DOUBLE_EQ(lossless_size_gb(app), 1000 * 0.4 * 622080 / 1073741824.0);
    user.click(kSettings3Page, kLosslessCheck);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "0.23 GB");
    EXPECT_EQ(log(), (Lines{"Use a lossless intermediate file for the second pass (Avisynth input only),",
                            "WARNING, this can create a HUGE file, estimated file size: 0.23 GB"}));
    EXPECT_EQ(listed("*LOSSLESS"), "*LOSSLESS");

    // The estimate follows the frame range.
    settings::show_frame_range(app, 0, 9999);
    refresh_size_estimate(app);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "2.32 GB");

    clear_log();
    user.click(kSettings3Page, kLosslessCheck);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "");
    EXPECT_EQ(log(), Lines{"No lossless intermediate file"});
}

TEST_F(Settings3Test, OnlyAnAvisynthScriptCanUseTheLosslessFile) {
    c.set_checked(kSettings3Page, kLosslessCheck, true);  // from a settings file
    open_video(720, 576, 1000, false);
    refresh_size_estimate(app);
    EXPECT_FALSE(c.checked(kSettings3Page, kLosslessCheck));
    EXPECT_FALSE(c.enabled(kSettings3Page, kLosslessCheck));
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "");

    // A script with no video open yet: usable, nothing to estimate.
    app.video.clear_properties();
    app.video.kind.is_avs = true;
    refresh_size_estimate(app);
    EXPECT_TRUE(c.enabled(kSettings3Page, kLosslessCheck));
    user.click(kSettings3Page, kLosslessCheck);
    EXPECT_EQ(c.text(kSettings3Page, kEstimatedSizeText), "");
}

TEST_F(Settings3Test, FolderButtonsSetThePathsAndTheirCaptions) {
    dialogs.folders = {"/data/lossless", std::nullopt, "/data/db"};
    user.click(kSettings3Page, kLosslessPathButton);
    user.click(kSettings3Page, kDbPathButton);
    user.click(kSettings3Page, kDbPathButton);
    EXPECT_EQ(dialogs.titles, (Lines{"Select folder for lossless file:", "Select folder for database file:",
                                     "Select folder for database file:"}));
    EXPECT_EQ(log(), (Lines{"select folder for intermediate lossless file", "folder selected for intermediate lossless file",
                            "select folder for intermediate DBS file", "folder selection aborted...",
                            "select folder for intermediate DBS file", "folder selected for intermediate DBS file"}));
    EXPECT_EQ(app.settings.ll_path, "/data/lossless");
    EXPECT_EQ(app.settings.db_path, "/data/db");
    EXPECT_EQ(c.text(kSettings3Page, kLosslessPathButton), "LL path (set)");
    EXPECT_EQ(c.text(kSettings3Page, kDbPathButton), "DB path (set)");
    EXPECT_EQ(listed("*LLPATH"), "*LLPATH           /data/lossless");
    EXPECT_EQ(listed("*DBPATH"), "*DBPATH           /data/db");

    // A cancelled or too long choice keeps what was set.
    dialogs.folders = {std::string(600, 'x')};
    clear_log();
    user.click(kSettings3Page, kLosslessPathButton);
    user.click(kSettings3Page, kLosslessPathButton);
    EXPECT_EQ(app.settings.ll_path, "/data/lossless");
    EXPECT_EQ(log(), (Lines{"select folder for intermediate lossless file", "folder name too long, at most 512 characters",
                            "select folder for intermediate lossless file", "folder selection aborted..."}));

    clear_log();
    user.click(kSettings3Page, kClearPathsButton);
    EXPECT_EQ(log(), Lines{"clear file paths for lossless and database"});
    EXPECT_EQ(app.settings.ll_path, "");
    EXPECT_EQ(app.settings.db_path, "");
    EXPECT_EQ(c.text(kSettings3Page, kLosslessPathButton), "LL path (not set)");
    EXPECT_EQ(c.text(kSettings3Page, kDbPathButton), "DB path (not set)");
    EXPECT_EQ(listed("*LLPATH"), "");
    EXPECT_EQ(listed("*DBPATH"), "");
}

}  // namespace
}  // namespace qz::pages::testing
