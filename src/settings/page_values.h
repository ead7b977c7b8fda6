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
    std::string average_bitrate = "4000";  // 1123
    std::string max_bitrate = "8000";      // 1124
    std::string start_frame;      // 1126
    std::string end_frame;        // 1127
    bool smp = true;              // 1150
    Profile profile = Profile::Normal;
    Aspect aspect = Aspect::SixteenNine;
    int dc_precision = 9;         // 1140 to 1143
    bool autogop = true;          // 1153
    std::string autogop_length = "15";   // 1154
    bool scene_change = true;     // 1152
    bool closed_gops = false;     // 1156
    bool pulldown = false;        // 1151
    bool one_pass_vbr = false;    // 1157

    // Settings 1.
    Interlacing interlacing = Interlacing::AutoDetect;
    bool tff = true;                  // 1205
    bool bff = false;                 // 1206
    bool chroma_interlaced = false;   // 1220
    std::string gop_length = "15";      // 1208
    std::string b_frames = "2";         // 1207
    bool constant_quantization = false;  // 1211
    std::string quantizer = "5.000";       // 1212
    bool check_max_bitrate = false;      // 1214
    std::string p_factor = "1.00";         // 1213
    std::string b_factor = "1.00";         // 1216
    std::string aq = "2";                  // 1231
    DeadZoneMode dead_zone = DeadZoneMode::Auto;
    std::string dead_zone_intra = "2";      // 1243
    std::string dead_zone_non_intra = "2";  // 1244

    // Settings 2.
    bool allow_3_b_frames = false;      // 1327
    bool progressive_sequence = false;  // 1317
    bool vbv_check = true;              // 1307
    bool seq_endcode = true;            // 1308
    bool scd_file = false;              // 1313
    bool framelog = false;              // 1314
    bool psnr = false;                  // 1315
    bool bias_enabled = true;           // 1306
    std::string bias = "0";
    bool min_br_factor_enabled = true;  // 1305
    std::string min_br_factor = "1.00";
    std::string mask_top = "0", mask_bottom = "0", mask_shift = "0";  // 1322, 1323, 1324
    bool last_i_frame = false;  // 1312
    bool preview = false;       // 1310
    bool silent = false;        // 1311
    bool shutdown = false;      // 1309
    std::string mpeg_level = "AUTO";     // 1325
    std::string intra_vlc = "AUTO";      // 1329
    std::string luminance_gain = "0";  // 1321
    std::string wait = "5";            // 1316

    // Settings 3.
    std::string db_path_caption = "DB path (not set)";        // 1428
    std::string ll_path_caption = "lossless path (not set)";  // 1427
    std::string avs_memory;       // 1424
    bool lossless = false;        // 1426
    std::string timecode[4] = {"0", "0", "0", "0"};  // 1401 to 1404
    int cpu = 0;                  // 1410 to 1417 as 0 to 7
    int priority = 0;             // 1420 to 1423 as 0 to 3
    int chroma_format = 1;        // 1430 to 1432 as 1 to 3

    // Matrix page.
    bool adaptive_matrix = false;  // 1507
    bool builtin_matrix = true;    // 1501
    bool custom_matrix = false;    // 1502
};

PageValues read_page_values(const ui::Controls& controls);

}  // namespace qz::settings
