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

#include <iterator>

namespace qz::shell {

namespace {

constexpr unsigned C = kOnClickOrChange;
constexpr unsigned E = kOnEntering;
constexpr unsigned L = kOnLeaving;

// Earlier rows win, so the narrow rows (a control that also reacts to focus) come before the ranges.
constexpr Connection kConnections[] = {
    {101, 1001, 1001, kOnTab, commands::on_tab_change},
    {101, 1002, 1002, C, commands::on_about},
    {101, 1003, 1003, C, commands::on_encode},
    {101, 1004, 1004, C, commands::on_exit},

    {103, 1110, 1116, C, commands::on_file_command},
    {103, 1101, 1106, C, pages::on_main_page},
    {103, 1120, 1121, C, pages::on_main_page},
    {103, 1125, 1125, C, pages::on_main_page},
    {103, 1130, 1137, C, pages::on_main_page},
    {103, 1140, 1143, C, pages::on_main_page},
    {103, 1150, 1157, C, pages::on_main_page},
    {103, 1161, 1161, C, pages::on_main_page},
    {103, 1122, 1124, L, pages::on_main_field_check},
    {103, 1126, 1127, L, pages::on_main_field_check},

    {104, 1212, 1212, C | E | L, pages::on_settings1_page},
    {104, 1201, 1220, C, pages::on_settings1_page},
    {104, 1230, 1231, C, pages::on_settings1_page},
    {104, 1240, 1244, C, pages::on_settings1_page},

    {105, 1305, 1305, C | E | L, pages::on_settings2_page},
    {105, 1306, 1306, C | E, pages::on_settings2_page},
    {105, 1316, 1316, C | E, pages::on_settings2_page},
    {105, 1322, 1324, C | E | L, pages::on_settings2_page},
    {105, 1305, 1329, C, pages::on_settings2_page},

    {106, 1424, 1424, C | E | L, pages::on_settings3_page},
    {106, 1401, 1432, C, pages::on_settings3_page},

    {107, 1504, 1506, C, commands::on_file_command},
    {107, 1501, 1503, C, matrices::on_matrix_page},
    {107, 1507, 1507, C, matrices::on_matrix_page},
    {107, 2001, 2064, L, matrices::on_matrix_page},
    {107, 2101, 2164, L, matrices::on_matrix_page},

    {108, 1612, 1613, C, commands::on_file_command},
    {108, 1601, 1611, C, framelists::on_chapters_page},
    {108, 1614, 1617, C, framelists::on_chapters_page},

    {109, 1603, 1603, C, framelists::on_zones_page},
    {109, 1605, 1611, C, framelists::on_zones_page},
    {109, 1702, 1702, C, framelists::on_zones_page},
    {109, 1711, 1715, C, framelists::on_zones_page},

    {110, 1816, 1817, C, commands::on_file_command},
    {110, 1605, 1611, C, framelists::on_panscan_page},
    {110, 1812, 1812, C | E | L, framelists::on_panscan_page},
    {110, 1811, 1815, C, framelists::on_panscan_page},
    {110, 1818, 1825, C, framelists::on_panscan_page},
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
