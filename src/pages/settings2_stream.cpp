// Stream flags on the Settings 2 page: progressive sequence, the B-frame limit, the IntraVLC,
// colorimetry and MPG level combos, and the luminance gain with its hold on the adaptive matrix.
#include "pages/settings2_parts.h"

#include "settings/free_format.h"
#include "pages/page_states.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"

#include <algorithm>
#include <string_view>

namespace qz::pages::settings2 {

using ui::dialog::kMainPage;
using ui::dialog::kSettings1Page;
using ui::dialog::kSettings2Page;
using ui::dialog::kMatrixPage;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::matrix_ids;

namespace {

// The widest frames each MPEG-2 main profile level carries.
constexpr int kMainLevelWidth = 720, kHigh1440Width = 1440;
constexpr int kMainLevel = 1, kHigh1440Level = 2;

struct Choice {
    const char* caption;
    int code;
    const char* message;
};

constexpr Choice kIntraVlcChoices[] = {
    {"AUTO", 2, "Optimized Variable Length Coding for Intra blocks"},
    {"TABLE 14", 0, "Intra blocks will use Table 14 for Variable Length Coding"},
    {"TABLE 15", 1, "Intra blocks will use Table 15 for Variable Length Coding"},
};

// The codes are the colour primaries of ISO/IEC 13818-2.
constexpr Choice kColorimetryChoices[] = {
    {"DEFAULT", 0, "colorimetry not flagged, Sequence Display Extension header is not written"},
    {"BT.709", 1, "stream flagged as ITU-R BT.709"},
    {"BT.470-2M", 4, "stream flagged as ITU-R BT.470-2 System M"},
    {"BT.470-2BG", 5, "stream flagged as ITU-R BT.470-2 System B,G"},
    {"SMPTE170M", 6, "stream flagged as SMPTE 170M"},
    {"SMPTE240M", 7, "stream flagged as SMPTE 240M"},
};

constexpr Choice kMpegLevelChoices[] = {
    {"AUTO", 0, "auto setting for level, depending on resolution"},
    {"MP@ML", 1, "level set to MP@ML, max. resolution 720x576"},
    {"MP@H-14", 2, "level set to MP@H-14, max. resolution 1440x1152, NOT DVD_COMPLIANT"},
    {"MP@HL", 3, "level set to MP@HL, max. resolution 1920x1152, NOT DVD_COMPLIANT"},
};

template <size_t N>
const Choice* find_choice(const Choice (&choices)[N], std::string_view caption) {
    for (const Choice& choice : choices)
        if (caption == choice.caption) return &choice;
    return nullptr;
}

// The combo's shown caption; an unknown one (a combo the model could not fill) changes nothing.
template <size_t N>
const Choice* chosen(const App& app, int combo, const Choice (&choices)[N]) {
    return find_choice(choices, app.controls.text(kSettings2Page, combo));
}

bool level_too_low_for(int level, int width) {
    if (width > kHigh1440Width) return level == kMainLevel || level == kHigh1440Level;
    if (width > kMainLevelWidth) return level == kMainLevel;
    return false;
}

}  // namespace

bool on_progressive_sequence(App& app) {
    auto& c = app.controls;
    if (!c.checked(kSettings2Page, kProgressiveSequenceCheck)) {
        app.log.add("clear the progressive flag in the sequence extension header");
        return true;
    }
    bool top_field_first = c.checked(kSettings1Page, kTffRadio);
    c.check_radio(kSettings1Page, kBffRadio);
    app.log.add(top_field_first ? "set the progressive flag in the sequence extension header, TFF flag cleared"
                                : "set the progressive flag in the sequence extension header");
    return true;
}

bool on_allow_3_b_frames(App& app) {
    auto& c = app.controls;
    bool allowed = c.checked(kSettings2Page, kAllow3BFramesCheck);
    // The B-frames spin's range follows; its position comes down with it.
    settings::set_b_frame_limit(app, allowed ? 3 : 2);
    if (allowed) {
        app.log.add("allow 3 consecutive B-frames, NOT DVD-COMPLIANT !!");
        return true;
    }
    app.log.add("allow 3 consecutive B-frames turned off");
    int32_t b_frames = 0;
    if (settings::parse_int_text(c.text(kSettings1Page, kBFramesBox), b_frames) && b_frames > 2)
        c.set_text(kSettings1Page, kBFramesBox, settings::int_text(2));
    return true;
}

bool on_intra_vlc(App& app) {
    const Choice* choice = chosen(app, kIntraVlcCombo, kIntraVlcChoices);
    if (!choice) return false;
    app.settings.values.intra_vlc = choice->code;
    app.log.add(choice->message);
    return true;
}

bool on_colorimetry(App& app) {
    const Choice* choice = chosen(app, kColorimetryCombo, kColorimetryChoices);
    if (!choice) return false;
    app.settings.values.colour = choice->code;
    app.log.add(choice->message);
    // A pan-scan stream carries its display extension, and with it the colorimetry.
    if (choice->code == 0 && app.controls.checked(kMainPage, kAspectPanScanRadio))
        app.log.add("WARNING: colorimetry must be flagged using 4:3 panscan");
    return true;
}

bool on_mpeg_level(App& app) {
    const Choice* choice = chosen(app, kMpegLevelCombo, kMpegLevelChoices);
    if (!choice) return false;
    app.settings.values.mpeg_level = choice->code;
    app.log.add(choice->message);
    if (level_too_low_for(choice->code, app.video.width)) app.log.add("WARNING, level incompatible with resolution");
    return true;
}

bool on_luminance_gain(App& app) {
    static constexpr const char* kMessages[] = {
        "no change on dark scenes",
        "mild matrix change on dark scenes",
        "moderate matrix change on dark scenes",
        "heavy matrix change on dark scenes",
        "hit dark scenes real hard...",
    };
    auto& c = app.controls;
    int gain = std::clamp(c.pos(kSettings2Page, kLuminanceGainSlider), 0, 4);
    app.settings.values.luminance_gain = gain;
    c.set_text(kSettings2Page, kLuminanceGainBox, settings::int_text(gain));
    app.log.add(kMessages[gain]);
    // The encoder adapts the matrix on dark scenes in one way only: the gain or the adaptive matrix.
    if (gain == 0) {
        c.set_enabled(kMatrixPage, kAdaptiveMatrixCheck, true);
        return true;
    }
    bool was_checked = c.checked(kMatrixPage, kAdaptiveMatrixCheck);
    c.set_checked(kMatrixPage, kAdaptiveMatrixCheck, false);
    c.set_enabled(kMatrixPage, kAdaptiveMatrixCheck, false);
    if (was_checked) app.log.add("adaptive matrix disabled");
    return true;
}

}  // namespace qz::pages::settings2
