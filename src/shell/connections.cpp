#include "shell/connections.h"

#include "framelists/chapters_page.h"
#include "framelists/panscan_page.h"
#include "framelists/zones_page.h"
#include "pages/matrix_page.h"
#include "pages/main_page.h"
#include "pages/settings1_page.h"
#include "pages/settings2_page.h"
#include "pages/settings3_page.h"
#include "commands/file_commands.h"
#include "commands/main_window.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/main_window.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <iterator>

namespace qz::shell {

namespace {

using namespace ui::dialog;
using namespace ui::main_window_ids;
using namespace ui::main_page_ids;
using namespace ui::settings1_ids;
using namespace ui::settings2_ids;
using namespace ui::settings3_ids;
using namespace ui::matrix_ids;

constexpr unsigned C = kOnClickOrChange;
constexpr unsigned E = kOnEntering;
constexpr unsigned L = kOnLeaving;

// Each row connects the controls from its first id to its last. Earlier rows win, so the narrow rows (a
// control that also reacts to focus) come before the ranges.
constexpr Connection kConnections[] = {
    {kMainWindow, kTabs, kTabs, kOnTab, commands::on_tab_change},
    {kMainWindow, kAboutButton, kAboutButton, C, commands::on_about},
    {kMainWindow, kEncodeButton, kEncodeButton, C, commands::on_encode},
    {kMainWindow, kExitButton, kExitButton, C, commands::on_exit},

    {kMainPage, kInputButton, kSaveQzIniButton, C, commands::on_file_command},
    {kMainPage, kResetButton, kDgdecodeInfoButton, C, pages::on_main_page},
    {kMainPage, kAverageBitrateRadio, kFileLengthRadio, C, pages::on_main_page},
    {kMainPage, kAllFramesButton, kAllFramesButton, C, pages::on_main_page},
    {kMainPage, kFastRadio, kAspectPanScanRadio, C, pages::on_main_page},
    {kMainPage, kDcPrecision8Radio, kDcPrecision11Radio, C, pages::on_main_page},
    {kMainPage, kSmpCheck, kOnePassVbrCheck, C, pages::on_main_page},
    {kMainPage, kFrameSizeText, kFrameSizeText, C, pages::on_main_page},
    {kMainPage, kFileLengthBox, kMaxBitrateBox, L, pages::on_main_field_check},
    {kMainPage, kStartFrameBox, kEndFrameBox, L, pages::on_main_field_check},

    {kSettings1Page, kQuantiserBox, kQuantiserBox, C | E | L, pages::on_settings1_page},
    {kSettings1Page, kAutoDetectRadio, kChromaInterlacedRadio, C, pages::on_settings1_page},
    {kSettings1Page, kAqSlider, kAqBox, C, pages::on_settings1_page},
    {kSettings1Page, kDeadZoneOffRadio, kDeadZoneNonIntraBox, C, pages::on_settings1_page},

    {kSettings2Page, kMinBitrateFactorBox, kMinBitrateFactorBox, C | E | L, pages::on_settings2_page},
    {kSettings2Page, kVbrBiasBox, kVbrBiasBox, C | E, pages::on_settings2_page},
    {kSettings2Page, kWaitBox, kWaitBox, C | E, pages::on_settings2_page},
    {kSettings2Page, kMaskTopBox, kShiftLinesBox, C | E | L, pages::on_settings2_page},
    {kSettings2Page, kMinBitrateFactorBox, kIntraVlcCombo, C, pages::on_settings2_page},

    {kSettings3Page, kAvsMemoryBox, kAvsMemoryBox, C | E | L, pages::on_settings3_page},
    {kSettings3Page, kTimeCodeHourBox, kChroma444Radio, C, pages::on_settings3_page},

    {kMatrixPage, kLoadButton, kSaveCqmButton, C, commands::on_file_command},
    {kMatrixPage, kBuiltInRadio, kBuiltInCombo, C, matrices::on_matrix_page},
    {kMatrixPage, kAdaptiveMatrixCheck, kAdaptiveMatrixCheck, C, matrices::on_matrix_page},
    {kMatrixPage, kFirstIntraCell, kLastIntraCell, L, matrices::on_matrix_page},
    {kMatrixPage, kFirstNonIntraCell, kLastNonIntraCell, L, matrices::on_matrix_page},

    {kChaptersPage, ui::chapters_ids::kImport, ui::chapters_ids::kExport, C, commands::on_file_command},
    {kChaptersPage, ui::chapters_ids::kSetStartFrame, ui::preview_ids::kSlider, C, framelists::on_chapters_page},
    {kChaptersPage, ui::chapters_ids::kClear, ui::chapters_ids::kSceneChangeScan, C, framelists::on_chapters_page},

    {kZonesPage, ui::preview_ids::kCurrentFrame, ui::preview_ids::kCurrentFrame, C, framelists::on_zones_page},
    {kZonesPage, ui::preview_ids::kStepBack, ui::preview_ids::kSlider, C, framelists::on_zones_page},
    {kZonesPage, ui::zones_ids::kList, ui::zones_ids::kList, C, framelists::on_zones_page},
    {kZonesPage, ui::zones_ids::kFactor, ui::zones_ids::kCreateBitmap, C, framelists::on_zones_page},

    {kPanScanPage, ui::panscan_ids::kImport, ui::panscan_ids::kExport, C, commands::on_file_command},
    {kPanScanPage, ui::preview_ids::kStepBack, ui::preview_ids::kSlider, C, framelists::on_panscan_page},
    {kPanScanPage, ui::panscan_ids::kHorizontal, ui::panscan_ids::kHorizontal, C | E | L, framelists::on_panscan_page},
    {kPanScanPage, ui::preview_ids::kPanScanCurrentFrame, ui::panscan_ids::kHeight, C, framelists::on_panscan_page},
    {kPanScanPage, ui::panscan_ids::kClear, ui::panscan_ids::kDown, C, framelists::on_panscan_page},
};

unsigned mask_of(ui::EventKind kind) {
    switch (kind) {
        case ui::EventKind::FocusGained: return kOnEntering;
        case ui::EventKind::FocusLost: return kOnLeaving;
        case ui::EventKind::TabChanged: return kOnTab;
        default: return kOnClickOrChange;
    }
}

}  // namespace

Handler ConnectionTable::route(const ui::Event& event) {
    unsigned mask = mask_of(event.kind);
    for (const Connection& c : kConnections) {
        if (c.dialog != event.dialog || event.id < c.first_id || event.id > c.last_id) continue;
        return (c.events & mask) ? c.handler : nullptr;
    }
    return nullptr;
}

void ConnectionTable::handle(const ui::Event& event) {
    if (Handler h = route(event)) h(app_, event);
}

}  // namespace qz::shell
