#include "settings/page_values.h"

#include "ui/controls.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

namespace qz::settings {

namespace {

using ui::dialog::kMainPage;
using ui::dialog::kMatrixPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kSettings3Page;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;
using namespace ui::matrix_ids;

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

    p.average_bitrate = c.text(kMainPage, kAverageBitrateBox);
    p.max_bitrate = c.text(kMainPage, kMaxBitrateBox);
    p.start_frame = c.text(kMainPage, kStartFrameBox);
    p.end_frame = c.text(kMainPage, kEndFrameBox);
    p.smp = c.checked(kMainPage, kSmpCheck);
    p.profile = static_cast<Profile>(first_checked(c, kMainPage, kProfileRadios, 1));
    p.aspect = static_cast<Aspect>(first_checked(c, kMainPage, kAspectRadios, 2));
    static constexpr int kDcPrecisions[] = {8, 9, 10, 11};
    p.dc_precision = kDcPrecisions[first_checked(c, kMainPage, kDcPrecisionRadios, 1)];
    p.autogop = c.checked(kMainPage, kAutoGopCheck);
    p.autogop_length = c.text(kMainPage, kAutoGopBox);
    p.scene_change = c.checked(kMainPage, kSceneChangeCheck);
    p.closed_gops = c.checked(kMainPage, kClosedGopsCheck);
    p.pulldown = c.checked(kMainPage, kPulldownCheck);
    p.one_pass_vbr = c.checked(kMainPage, kOnePassVbrCheck);

    p.interlacing = static_cast<Interlacing>(first_checked(c, kSettings1Page, kInterlacingRadios, 4));
    p.tff = c.checked(kSettings1Page, kTffRadio);
    p.bff = c.checked(kSettings1Page, kBffRadio);
    p.chroma_interlaced = c.checked(kSettings1Page, kChromaInterlacedRadio);
    p.gop_length = c.text(kSettings1Page, kGopLengthBox);
    p.b_frames = c.text(kSettings1Page, kBFramesBox);
    p.constant_quantization = c.checked(kSettings1Page, kConstantQuantisationCheck);
    p.quantizer = c.text(kSettings1Page, kQuantiserBox);
    p.check_max_bitrate = c.checked(kSettings1Page, kMaxBitrateCheck);
    p.p_factor = c.text(kSettings1Page, kPFactorBox);
    p.b_factor = c.text(kSettings1Page, kBFactorBox);
    p.aq = c.text(kSettings1Page, kAqBox);
    p.dead_zone = static_cast<DeadZoneMode>(first_checked(c, kSettings1Page, kDeadZoneRadios, 1));
    p.dead_zone_intra = c.text(kSettings1Page, kDeadZoneIntraBox);
    p.dead_zone_non_intra = c.text(kSettings1Page, kDeadZoneNonIntraBox);

    p.allow_3_b_frames = c.checked(kSettings2Page, kAllow3BFramesCheck);
    p.progressive_sequence = c.checked(kSettings2Page, kProgressiveSequenceCheck);
    p.vbv_check = c.checked(kSettings2Page, kVbvCheck);
    p.seq_endcode = c.checked(kSettings2Page, kSeqEndcodeCheck);
    p.scd_file = c.checked(kSettings2Page, kScdFileCheck);
    p.framelog = c.checked(kSettings2Page, kFrameLogCheck);
    p.psnr = c.checked(kSettings2Page, kPsnrCheck);
    p.bias_enabled = c.enabled(kSettings2Page, kVbrBiasBox);
    p.bias = c.text(kSettings2Page, kVbrBiasBox);
    p.min_br_factor_enabled = c.enabled(kSettings2Page, kMinBitrateFactorBox);
    p.min_br_factor = c.text(kSettings2Page, kMinBitrateFactorBox);
    p.mask_top = c.text(kSettings2Page, kMaskTopBox);
    p.mask_bottom = c.text(kSettings2Page, kMaskBottomBox);
    p.mask_shift = c.text(kSettings2Page, kShiftLinesBox);
    p.last_i_frame = c.checked(kSettings2Page, kLastIFrameCheck);
    p.preview = c.checked(kSettings2Page, kPreviewCheck);
    p.silent = c.checked(kSettings2Page, kSilentCheck);
    p.shutdown = c.checked(kSettings2Page, kShutdownCheck);
    p.mpeg_level = c.text(kSettings2Page, kMpegLevelCombo);
    p.intra_vlc = c.text(kSettings2Page, kIntraVlcCombo);
    p.luminance_gain = c.text(kSettings2Page, kLuminanceGainBox);
    p.wait = c.text(kSettings2Page, kWaitBox);

    p.db_path_caption = c.text(kSettings3Page, kDbPathButton);
    p.ll_path_caption = c.text(kSettings3Page, kLosslessPathButton);
    p.avs_memory = c.text(kSettings3Page, kAvsMemoryBox);
    p.lossless = c.checked(kSettings3Page, kLosslessCheck);
    for (int i = 0; i < 4; ++i) p.timecode[i] = c.text(kSettings3Page, kTimeCodeBoxes[i]);
    p.cpu = first_checked(c, kSettings3Page, kCpuRadios, 0);
    p.priority = first_checked(c, kSettings3Page, kPriorityRadios, 0);
    p.chroma_format = 1 + first_checked(c, kSettings3Page, kChromaFormatRadios, 0);

    p.adaptive_matrix = c.checked(kMatrixPage, kAdaptiveMatrixCheck);
    p.builtin_matrix = c.checked(kMatrixPage, kBuiltInRadio);
    p.custom_matrix = c.checked(kMatrixPage, kCustomRadio);
    return p;
}

}  // namespace qz::settings
