// Finding the Avisynth library by name through the dynamic loader's own search, as the program does:
// this test program runs with LD_LIBRARY_PATH pointing at the stand-in.
#include "bridge_test_support.h"
#include "input/avisynth_bridge.h"

#include <gtest/gtest.h>

namespace {

using namespace qz::input;

TEST(AvisynthSearchTest, TheLibraryIsFoundByName) {
    AvisynthBridge bridge;
    int32_t memory = -1;
    ASSERT_EQ(avs_load(bridge, memory), kAvsOk);
    const std::string file = qz::platform::library_file_path(bridge.library, "avs_invoke");
    EXPECT_NE(file.find(QZ_AVS_STANDIN_DIR), std::string::npos) << file;
    EXPECT_EQ(avs_release(bridge), kAvsOk);
    EXPECT_EQ(bridge.library, nullptr);
}

}  // namespace
