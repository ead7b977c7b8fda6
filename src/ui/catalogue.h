// The catalogue, assembled from one table per dialog.
#pragma once

#include "ui/control_spec.h"

#include <span>

namespace qz::ui::catalogue_parts {

std::span<const ControlSpec> main_window();     // dialog::kMainWindow
std::span<const ControlSpec> main_page();       // dialog::kMainPage
std::span<const ControlSpec> settings1_page();  // dialog::kSettings1Page
std::span<const ControlSpec> settings2_page();  // dialog::kSettings2Page
std::span<const ControlSpec> settings3_page();  // dialog::kSettings3Page
std::span<const ControlSpec> matrix_page();     // dialog::kMatrixPage
std::span<const ControlSpec> chapters_page();   // dialog::kChaptersPage
std::span<const ControlSpec> zones_page();      // dialog::kZonesPage
std::span<const ControlSpec> panscan_page();    // dialog::kPanScanPage

}  // namespace qz::ui::catalogue_parts
