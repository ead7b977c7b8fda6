// The page control states a settings file is written from, read in one go so that the line builder
// works on plain values (and can be tested and measured without the pages).
#pragma once

#include <string>

namespace qz::ui {
class Controls;
}

namespace qz::settings {

enum class Profile { Fast, Normal, Best };
enum class Aspect { Square, FourThree, SixteenNine, Wide221, PanScan43 };
enum class Interlacing { AutoDetect, Progressive, Interlaced, DigitalVideo, NoneChosen };
enum class DeadZoneMode { Off, Auto, SetValues };

// Default-constructed, it holds the pages' default states.
struct PageValues {
    // Main page.
    std::string average_bitrate = "4000";
    std::string max_bitrate = "8000";
    std::string start_frame;
    std::string end_frame;
    bool smp = true;
    Profile profile = Profile::Normal;
    Aspect aspect = Aspect::SixteenNine;
    int dc_precision = 9;         // bits
    bool autogop = true;
    std::string autogop_length = "15";
    bool scene_change = true;
    bool closed_gops = false;
    bool pulldown = false;
    bool one_pass_vbr = false;

    // Settings 1.
    Interlacing interlacing = Interlacing::AutoDetect;
    bool tff = true;
    bool bff = false;
    bool chroma_interlaced = false;
    std::string gop_length = "15";
    std::string b_frames = "2";
    bool constant_quantization = false;
    std::string quantizer = "5.000";
    bool check_max_bitrate = false;
    std::string p_factor = "1.00";
    std::string b_factor = "1.00";
    std::string aq = "2";
    DeadZoneMode dead_zone = DeadZoneMode::Auto;
    std::string dead_zone_intra = "2";
    std::string dead_zone_non_intra = "2";

    // Settings 2.
    bool allow_3_b_frames = false;
    bool progressive_sequence = false;
    bool vbv_check = true;
    bool seq_endcode = true;
    bool scd_file = false;
    bool framelog = false;
    bool psnr = false;
    bool bias_enabled = true;           // the box is left out of a save while disabled
    std::string bias = "0";
    bool min_br_factor_enabled = true;  // the same
    std::string min_br_factor = "1.00";
    std::string mask_top = "0", mask_bottom = "0", mask_shift = "0";
    bool last_i_frame = false;
    bool preview = false;
    bool silent = false;
    bool shutdown = false;
    std::string mpeg_level = "AUTO";
    std::string intra_vlc = "AUTO";
    std::string luminance_gain = "0";
    std::string wait = "5";

    // Settings 3.
    std::string db_path_caption = "DB path (not set)";
    std::string ll_path_caption = "lossless path (not set)";
    std::string avs_memory;
    bool lossless = false;
    std::string timecode[4] = {"0", "0", "0", "0"};  // hour, minute, second, frame
    int cpu = 0;                  // the CPU radio checked, 0 (auto) to 7
    int priority = 0;             // the priority radio checked, 0 (idle) to 3
    int chroma_format = 1;        // 1 (4:2:0) to 3 (4:4:4)

    // Matrix page.
    bool adaptive_matrix = false;
    bool builtin_matrix = true;
    bool custom_matrix = false;
};

PageValues read_page_values(const ui::Controls& controls);

}  // namespace qz::settings
