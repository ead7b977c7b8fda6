// The control catalogue against the page layouts: every control the logic addresses exists with its
// kind, radio groups, combo items, ranges and flags; and the catalogue and the connection table agree.
#include "shell/connections.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace qz::ui;

const ControlSpec* find(int dialog, int id) {
    for (const ControlSpec& c : catalogue())
        if (c.dialog == dialog && c.id == id) return &c;
    return nullptr;
}

std::string where(int dialog, int id) { return "dialog " + std::to_string(dialog) + " id " + std::to_string(id); }

struct IdRange {
    int dialog;
    int first;
    int last;
    Kind kind;
};

// Every addressed control of the eight pages, by the page layouts.
constexpr IdRange kAddressed[] = {
    {103, 1101, 1106, Kind::Button},   {103, 1110, 1116, Kind::Button},   {103, 1120, 1121, Kind::Radio},
    {103, 1122, 1124, Kind::Edit},     {103, 1125, 1125, Kind::Button},   {103, 1126, 1127, Kind::Edit},
    {103, 1130, 1137, Kind::Radio},    {103, 1140, 1143, Kind::Radio},    {103, 1150, 1153, Kind::Check},
    {103, 1154, 1154, Kind::Edit},     {103, 1155, 1155, Kind::UpDown},   {103, 1156, 1157, Kind::Check},
    {103, 1160, 1167, Kind::Static},

    {104, 1201, 1206, Kind::Radio},    {104, 1207, 1208, Kind::Edit},     {104, 1209, 1210, Kind::UpDown},
    {104, 1211, 1211, Kind::Check},    {104, 1212, 1213, Kind::Edit},     {104, 1214, 1214, Kind::Check},
    {104, 1215, 1215, Kind::List},     {104, 1216, 1216, Kind::Edit},     {104, 1217, 1218, Kind::UpDown},
    {104, 1219, 1220, Kind::Radio},    {104, 1230, 1230, Kind::TrackBar}, {104, 1231, 1231, Kind::Edit},
    {104, 1240, 1242, Kind::Radio},    {104, 1243, 1244, Kind::Edit},

    {105, 1215, 1215, Kind::List},     {105, 1305, 1306, Kind::Edit},     {105, 1307, 1315, Kind::Check},
    {105, 1316, 1316, Kind::Edit},     {105, 1317, 1317, Kind::Check},    {105, 1320, 1320, Kind::TrackBar},
    {105, 1321, 1324, Kind::Edit},     {105, 1325, 1325, Kind::Combo},    {105, 1327, 1327, Kind::Check},
    {105, 1328, 1329, Kind::Combo},

    {106, 1215, 1215, Kind::List},     {106, 1401, 1404, Kind::Edit},     {106, 1410, 1417, Kind::Radio},
    {106, 1420, 1423, Kind::Radio},    {106, 1424, 1424, Kind::Edit},     {106, 1425, 1425, Kind::Button},
    {106, 1426, 1426, Kind::Check},    {106, 1427, 1428, Kind::Button},   {106, 1429, 1429, Kind::Static},
    {106, 1430, 1432, Kind::Radio},

    {107, 1501, 1502, Kind::Radio},    {107, 1503, 1503, Kind::Combo},    {107, 1504, 1506, Kind::Button},
    {107, 1507, 1507, Kind::Check},    {107, 2001, 2064, Kind::Edit},     {107, 2101, 2164, Kind::Edit},

    {108, 1601, 1602, Kind::Button},   {108, 1603, 1603, Kind::Edit},     {108, 1604, 1604, Kind::List},
    {108, 1605, 1610, Kind::Button},   {108, 1611, 1611, Kind::TrackBar}, {108, 1612, 1617, Kind::Button},

    {109, 1603, 1603, Kind::Edit},     {109, 1605, 1610, Kind::Button},   {109, 1611, 1611, Kind::TrackBar},
    {109, 1702, 1702, Kind::List},     {109, 1711, 1711, Kind::Edit},     {109, 1712, 1715, Kind::Button},

    {110, 1605, 1610, Kind::Button},   {110, 1611, 1611, Kind::TrackBar}, {110, 1811, 1815, Kind::Edit},
    {110, 1816, 1820, Kind::Button},   {110, 1821, 1821, Kind::List},     {110, 1822, 1825, Kind::Button},
};

bool is_page(int dialog) { return dialog >= kFirstPageDialog && dialog <= kLastPageDialog; }

TEST(Catalogue, EveryAddressedPageControlExistsWithItsKindAndNoOther) {
    std::set<std::pair<int, int>> listed;
    for (const IdRange& r : kAddressed) {
        for (int id = r.first; id <= r.last; ++id) {
            listed.insert({r.dialog, id});
            const ControlSpec* c = find(r.dialog, id);
            ASSERT_NE(c, nullptr) << where(r.dialog, id);
            EXPECT_EQ(c->kind, r.kind) << where(r.dialog, id) << " is " << kind_name(c->kind);
        }
    }
    // Labels, group boxes and preview pictures carry ids from 9000 up; every lower id is one of the above.
    for (const ControlSpec& c : catalogue()) {
        if (!is_page(c.dialog) || c.id >= 9000) continue;
        EXPECT_TRUE(listed.count({c.dialog, c.id})) << "unexpected " << where(c.dialog, c.id);
    }
}

// Controls the connection table routes although no page has them: gaps inside its id ranges.
const std::set<std::pair<int, int>> kRoutedGaps = {
    {105, 1318}, {105, 1319}, {105, 1326}, {106, 1405}, {106, 1406},
    {106, 1407}, {106, 1408}, {106, 1409}, {106, 1418}, {106, 1419},
};

TEST(Catalogue, EveryControlTheConnectionTableRoutesExists) {
    std::set<std::pair<int, int>> missing;
    int routed = 0;
    for (int dialog = kFirstPageDialog; dialog <= kLastPageDialog; ++dialog) {
        for (int id = 1000; id < 2200; ++id) {
            bool any = false;
            for (EventKind kind : {EventKind::Clicked, EventKind::FocusGained, EventKind::FocusLost})
                any = any || qz::shell::ConnectionTable::route(Event{kind, dialog, id, 0}) != nullptr;
            if (!any) continue;
            ++routed;
            const ControlSpec* c = find(dialog, id);
            if (c == nullptr) {
                missing.insert({dialog, id});
                continue;
            }
            EXPECT_NE(c->kind, Kind::Group) << where(dialog, id);
            EXPECT_NE(c->kind, Kind::Preview) << where(dialog, id);
        }
    }
    EXPECT_GT(routed, 300);  // the 128 matrix cells alone
    EXPECT_EQ(missing, kRoutedGaps);
}

TEST(Catalogue, RadioGroupsMatchThePageLayouts) {
    const std::vector<std::pair<int, std::vector<int>>> groups = {
        {103, {1120, 1121}},
        {103, {1130, 1131, 1132}},
        {103, {1133, 1134, 1135, 1136, 1137}},
        {103, {1140, 1141, 1142, 1143}},
        {104, {1201, 1202, 1203, 1204}},
        {104, {1205, 1206}},
        {104, {1219, 1220}},
        {104, {1240, 1241, 1242}},
        {106, {1410, 1411, 1412, 1413, 1414, 1415, 1416, 1417}},
        {106, {1420, 1421, 1422, 1423}},
        {106, {1430, 1431, 1432}},
        {107, {1501, 1502}},
    };
    std::map<std::pair<int, int>, std::vector<int>> catalogued;  // (dialog, group) -> radios
    for (const ControlSpec& c : catalogue())
        if (c.kind == Kind::Radio) catalogued[{c.dialog, c.radio_group}].push_back(c.id);

    ASSERT_EQ(catalogued.size(), groups.size());
    for (const auto& [dialog, members] : groups) {
        const ControlSpec* first = find(dialog, members.front());
        ASSERT_NE(first, nullptr);
        std::vector<int> got = catalogued[{dialog, first->radio_group}];
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, members) << "group of " << where(dialog, members.front());
        int checked = 0;
        for (int id : members) checked += (find(dialog, id)->flags & kStartsChecked) ? 1 : 0;
        EXPECT_EQ(checked, 1) << "start choice of the group of " << where(dialog, members.front());
    }

    // Groups are independent: a new interlacing choice keeps the field order.
    Controls controls;
    controls.check_radio(104, 1203);
    EXPECT_FALSE(controls.checked(104, 1201));
    EXPECT_TRUE(controls.checked(104, 1205));
    EXPECT_TRUE(controls.checked(104, 1219));
}

std::vector<std::string> items_of(int dialog, int id) {
    const ControlSpec* c = find(dialog, id);
    std::vector<std::string> items;
    if (c == nullptr) return items;
    for (int i = 0; i < c->item_count; ++i) items.emplace_back(c->items[i]);
    return items;
}

TEST(Catalogue, ComboItemsAreTheSettingNamesInListOrder) {
    using Items = std::vector<std::string>;
    EXPECT_EQ(items_of(105, 1328),
              (Items{"DEFAULT", "BT.709", "BT.470-2M", "BT.470-2BG", "SMPTE170M", "SMPTE240M"}));
    EXPECT_EQ(items_of(105, 1325), (Items{"AUTO", "MP@ML", "MP@H-14", "MP@HL"}));
    EXPECT_EQ(items_of(105, 1329), (Items{"AUTO", "TABLE 14", "TABLE 15"}));
    EXPECT_EQ(items_of(107, 1503),
              (Items{"MPEG", "QLB", "NOTCH", "TEAL1", "QZ", "QZLOW", "KIRUN1CD", "HVSGOOD", "HVSBETTER", "HVSBEST",
                     "OLUMAT6", "OLUMAT7", "ELK1", "ELK2", "ELK3", "TIRENO1", "TIRENO2", "TIRENO3", "MPEG STANDARD"}));

    // Only the matrix list has an edit field; the three stream-flag lists are drop-down lists.
    EXPECT_TRUE(find(107, 1503)->flags & kComboEditable);
    for (int id : {1325, 1328, 1329}) EXPECT_FALSE(find(105, id)->flags & kComboEditable) << id;
}

TEST(Catalogue, SlidersAndSpinsHaveTheirRangesAndStartPositions) {
    struct Range {
        int dialog, id, min, max, pos;
    };
    for (const Range& r : {Range{103, 1155, 8, 18, 15}, Range{104, 1209, 1, 36, 15}, Range{104, 1210, 0, 2, 2},
                           Range{104, 1217, 1, 32, 9}, Range{104, 1218, 1, 32, 9}, Range{104, 1230, 0, 4, 2},
                           Range{105, 1320, 0, 4, 0}, Range{108, 1611, 0, 1000, 0}, Range{109, 1611, 0, 1000, 0},
                           Range{110, 1611, 0, 1000, 0}}) {
        const ControlSpec* c = find(r.dialog, r.id);
        ASSERT_NE(c, nullptr) << where(r.dialog, r.id);
        EXPECT_EQ(c->range_min, r.min) << where(r.dialog, r.id);
        EXPECT_EQ(c->range_max, r.max) << where(r.dialog, r.id);
        EXPECT_EQ(c->initial_pos, r.pos) << where(r.dialog, r.id);
    }
}

TEST(Catalogue, EditFlagsFollowWhatTheBoxesAccept) {
    const std::vector<std::pair<int, int>> digits = {
        {103, 1122}, {103, 1123}, {103, 1124}, {103, 1126}, {103, 1127}, {103, 1154}, {104, 1207}, {104, 1208},
        {104, 1243}, {104, 1244}, {105, 1306}, {105, 1316}, {106, 1401}, {106, 1403}, {106, 1404}, {106, 1424},
    };
    for (auto [dialog, id] : digits) EXPECT_TRUE(find(dialog, id)->flags & kDigitsOnly) << where(dialog, id);
    // Real numbers and signed values need more than digits.
    for (auto [dialog, id] : {std::pair{104, 1212}, {105, 1305}, {105, 1324}, {109, 1711}, {110, 1812}})
        EXPECT_FALSE(find(dialog, id)->flags & kDigitsOnly) << where(dialog, id);

    for (auto [dialog, id] : {std::pair{104, 1213}, {104, 1216}, {104, 1231}, {105, 1321}})
        EXPECT_TRUE(find(dialog, id)->flags & kReadOnly) << where(dialog, id);

    for (int dialog : {104, 105, 106}) EXPECT_TRUE(find(dialog, 1215)->flags & kMonospace) << dialog;

    for (int base : {2000, 2100}) {
        for (int i = 1; i <= 64; ++i) {
            const ControlSpec* cell = find(107, base + i);
            ASSERT_NE(cell, nullptr) << base + i;
            EXPECT_EQ(cell->flags & (kDigitsOnly | kRightAligned), kDigitsOnly | kRightAligned) << base + i;
        }
    }
}

TEST(Catalogue, StartsInTheResetStateWithoutInput) {
    Controls controls;
    EXPECT_FALSE(controls.enabled(103, 1111));  // output needs an input name
    EXPECT_FALSE(controls.enabled(103, 1123));  // bitrate boxes need a valid input
    EXPECT_FALSE(controls.enabled(103, 1137));  // "4:3 PanScan" needs a PAL or NTSC frame size
    EXPECT_EQ(controls.text(103, 1160), "-");
    EXPECT_EQ(controls.text(103, 1110), "input file name (*.d2v, *.avs)");
    EXPECT_FALSE(controls.enabled(104, 1208));  // automatic GOP is on
    EXPECT_FALSE(controls.enabled(104, 1212));  // constant quantisation is off
    EXPECT_FALSE(controls.enabled(104, 1243));  // dead zone "auto"
    EXPECT_TRUE(controls.checked(105, 1307));
    EXPECT_TRUE(controls.checked(105, 1308));
    EXPECT_EQ(controls.text(105, 1328), "DEFAULT");
    EXPECT_EQ(controls.text(106, 1427), "lossless path (not set)");
    EXPECT_EQ(controls.text(107, 1503), "MPEG");
    for (int id : {1504, 1505, 1506, 2001, 2064, 2101, 2164}) EXPECT_FALSE(controls.enabled(107, id)) << id;
    for (int id : {1813, 1814, 1815, 1824, 1825}) EXPECT_FALSE(controls.enabled(110, id)) << id;
}

TEST(Catalogue, LayoutEntriesAreWellFormed) {
    std::map<int, int> previews;  // dialog -> count
    for (size_t i = 0; i < catalogue().size(); ++i) {
        const ControlSpec& c = catalogue()[i];
        if (!is_page(c.dialog)) continue;
        if (c.box != 0) {
            // The holding box comes earlier in reading order, on the same page.
            auto earlier = catalogue().first(i);
            bool found = std::any_of(earlier.begin(), earlier.end(), [&](const ControlSpec& b) {
                return b.dialog == c.dialog && b.id == c.box && b.kind == Kind::Group;
            });
            EXPECT_TRUE(found) << where(c.dialog, c.id) << " in box " << c.box;
        }
        if (c.kind == Kind::Group) {
            EXPECT_TRUE(c.id >= 9500 && c.id < 9900 && *c.caption) << where(c.dialog, c.id);
        }
        if (c.kind == Kind::Static && c.id >= 9000) {
            EXPECT_TRUE(c.id < 9500 && *c.caption) << where(c.dialog, c.id);
        }
        if (c.kind == Kind::Preview) {
            EXPECT_GE(c.id, 9900) << where(c.dialog, c.id);
            ++previews[c.dialog];
        }
    }
    EXPECT_EQ(previews, (std::map<int, int>{{108, 1}, {109, 1}, {110, 1}}));
}

}  // namespace
