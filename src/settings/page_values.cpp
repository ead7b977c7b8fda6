#include "settings/page_values.h"

#include "ui/controls.h"

namespace qz::settings {

namespace {

constexpr int kMain = 103;
constexpr int kSettings1 = 104;
constexpr int kSettings2 = 105;
constexpr int kSettings3 = 106;
constexpr int kMatrix = 107;

// The index of the first checked control among `ids`, or `fallback` when none is.
template <size_t N>
int first_checked(const ui::Controls& c, int dialog, const int (&ids)[N], int fallback) {
    for (size_t i = 0; i < N; ++i) {
        if (c.checked(dialog, ids[i])) return static_cast<int>(i);
    }
    return fallback;
}

}  // namespace

PageValues read_page_values(const ui::Controls& c) {
    auto lock = c.hold();  // one consistent picture of the pages
    PageValues p;

    p.average_bitrate = c.text(kMain, 1123);
    p.max_bitrate = c.text(kMain, 1124);
    p.start_frame = c.text(kMain, 1126);
    p.end_frame = c.text(kMain, 1127);
    p.smp = c.checked(kMain, 1150);
    p.profile = static_cast<Profile>(first_checked(c, kMain, {1130, 1131, 1132}, 1));
    p.aspect = static_cast<Aspect>(first_checked(c, kMain, {1133, 1134, 1135, 1136, 1137}, 2));
    static constexpr int kDcPrecisions[] = {8, 9, 10, 11};
    p.dc_precision = kDcPrecisions[first_checked(c, kMain, {1140, 1141, 1142, 1143}, 1)];
    p.autogop = c.checked(kMain, 1153);
    p.autogop_length = c.text(kMain, 1154);
    p.scene_change = c.checked(kMain, 1152);
    p.closed_gops = c.checked(kMain, 1156);
    p.pulldown = c.checked(kMain, 1151);
    p.one_pass_vbr = c.checked(kMain, 1157);

    p.interlacing = static_cast<Interlacing>(first_checked(c, kSettings1, {1201, 1202, 1203, 1204}, 4));
    p.tff = c.checked(kSettings1, 1205);
    p.bff = c.checked(kSettings1, 1206);
    p.chroma_interlaced = c.checked(kSettings1, 1220);
    p.gop_length = c.text(kSettings1, 1208);
    p.b_frames = c.text(kSettings1, 1207);
    p.constant_quantization = c.checked(kSettings1, 1211);
    p.quantizer = c.text(kSettings1, 1212);
    p.check_max_bitrate = c.checked(kSettings1, 1214);
    p.p_factor = c.text(kSettings1, 1213);
    p.b_factor = c.text(kSettings1, 1216);
    p.aq = c.text(kSettings1, 1231);
    p.dead_zone = static_cast<DeadZoneMode>(first_checked(c, kSettings1, {1240, 1241, 1242}, 1));
    p.dead_zone_intra = c.text(kSettings1, 1243);
    p.dead_zone_non_intra = c.text(kSettings1, 1244);

    p.allow_3_b_frames = c.checked(kSettings2, 1327);
    p.progressive_sequence = c.checked(kSettings2, 1317);
    p.vbv_check = c.checked(kSettings2, 1307);
    p.seq_endcode = c.checked(kSettings2, 1308);
    p.scd_file = c.checked(kSettings2, 1313);
    p.framelog = c.checked(kSettings2, 1314);
    p.psnr = c.checked(kSettings2, 1315);
    p.bias_enabled = c.enabled(kSettings2, 1306);
    p.bias = c.text(kSettings2, 1306);
    p.min_br_factor_enabled = c.enabled(kSettings2, 1305);
    p.min_br_factor = c.text(kSettings2, 1305);
    p.mask_top = c.text(kSettings2, 1322);
    p.mask_bottom = c.text(kSettings2, 1323);
    p.mask_shift = c.text(kSettings2, 1324);
    p.last_i_frame = c.checked(kSettings2, 1312);
    p.preview = c.checked(kSettings2, 1310);
    p.silent = c.checked(kSettings2, 1311);
    p.shutdown = c.checked(kSettings2, 1309);
    p.mpeg_level = c.text(kSettings2, 1325);
    p.intra_vlc = c.text(kSettings2, 1329);
    p.luminance_gain = c.text(kSettings2, 1321);
    p.wait = c.text(kSettings2, 1316);

    p.db_path_caption = c.text(kSettings3, 1428);
    p.ll_path_caption = c.text(kSettings3, 1427);
    p.avs_memory = c.text(kSettings3, 1424);
    p.lossless = c.checked(kSettings3, 1426);
    for (int i = 0; i < 4; ++i) p.timecode[i] = c.text(kSettings3, 1401 + i);
    p.cpu = first_checked(c, kSettings3, {1410, 1411, 1412, 1413, 1414, 1415, 1416, 1417}, 0);
    p.priority = first_checked(c, kSettings3, {1420, 1421, 1422, 1423}, 0);
    p.chroma_format = 1 + first_checked(c, kSettings3, {1430, 1431, 1432}, 0);

    p.adaptive_matrix = c.checked(kMatrix, 1507);
    p.builtin_matrix = c.checked(kMatrix, 1501);
    p.custom_matrix = c.checked(kMatrix, 1502);
    return p;
}

}  // namespace qz::settings
