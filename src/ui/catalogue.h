// The catalogue, assembled from one table per dialog.
#pragma once

#include "ui/control_spec.h"

#include <span>

namespace qz::ui::catalogue_parts {

std::span<const ControlSpec> main_window();     // dialog 101
std::span<const ControlSpec> main_page();       // dialog 103
std::span<const ControlSpec> settings1_page();  // dialog 104
std::span<const ControlSpec> settings2_page();  // dialog 105
std::span<const ControlSpec> settings3_page();  // dialog 106
std::span<const ControlSpec> matrix_page();     // dialog 107
std::span<const ControlSpec> chapters_page();   // dialog 108
std::span<const ControlSpec> zones_page();      // dialog 109
std::span<const ControlSpec> panscan_page();    // dialog 110

}  // namespace qz::ui::catalogue_parts
