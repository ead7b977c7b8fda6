// The control catalogue against the page layouts: every control the logic addresses exists with its
// kind, radio groups, combo items, ranges and flags; and the catalogue and the connection table agree.
#include "shell/connections.h"
#include "ui/controls.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/layout.h"
#include "ui/ids/main_page.h"
#include "ui/ids/matrix_page.h"
#include "ui/ids/preview_pages.h"
#include "ui/ids/settings1_page.h"
#include "ui/ids/settings2_page.h"
#include "ui/ids/settings3_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace qz::ui;
using namespace qz::ui::dialog;
using namespace qz::ui::main_page_ids;
using namespace qz::ui::settings1_ids;
using namespace qz::ui::settings2_ids;
using namespace qz::ui::settings3_ids;
using namespace qz::ui::matrix_ids;

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
    {kMainPage, kResetButton, kDgdecodeInfoButton, Kind::Button},
    {kMainPage, kInputButton, kSaveQzIniButton, Kind::Button},
    {kMainPage, kAverageBitrateRadio, kFileLengthRadio, Kind::Radio},
    {kMainPage, kFileLengthBox, kMaxBitrateBox, Kind::Edit},
    {kMainPage, kAllFramesButton, kAllFramesButton, Kind::Button},
    {kMainPage, kStartFrameBox, kEndFrameBox, Kind::Edit},
    {kMainPage, kFastRadio, kAspectPanScanRadio, Kind::Radio},
    {kMainPage, kDcPrecision8Radio, kDcPrecision11Radio, Kind::Radio},
    {kMainPage, kSmpCheck, kAutoGopCheck, Kind::Check},
    {kMainPage, kAutoGopBox, kAutoGopBox, Kind::Edit},
    {kMainPage, kAutoGopSpin, kAutoGopSpin, Kind::UpDown},
    {kMainPage, kClosedGopsCheck, kOnePassVbrCheck, Kind::Check},
    {kMainPage, kFrameCountText, kEncodingFramesText, Kind::Static},

    {kSettings1Page, kAutoDetectRadio, kBffRadio, Kind::Radio},
    {kSettings1Page, kBFramesBox, kGopLengthBox, Kind::Edit},
    {kSettings1Page, kGopLengthSpin, kBFramesSpin, Kind::UpDown},
    {kSettings1Page, kConstantQuantisationCheck, kConstantQuantisationCheck, Kind::Check},
    {kSettings1Page, kQuantiserBox, kPFactorBox, Kind::Edit},
    {kSettings1Page, kMaxBitrateCheck, kMaxBitrateCheck, Kind::Check},
    {kSettings1Page, kListing, kListing, Kind::List},
    {kSettings1Page, kBFactorBox, kBFactorBox, Kind::Edit},
    {kSettings1Page, kPFactorSpin, kBFactorSpin, Kind::UpDown},
    {kSettings1Page, kChromaProgressiveRadio, kChromaInterlacedRadio, Kind::Radio},
    {kSettings1Page, kAqSlider, kAqSlider, Kind::TrackBar},
    {kSettings1Page, kAqBox, kAqBox, Kind::Edit},
    {kSettings1Page, kDeadZoneOffRadio, kDeadZoneValuesRadio, Kind::Radio},
    {kSettings1Page, kDeadZoneIntraBox, kDeadZoneNonIntraBox, Kind::Edit},

    {kSettings2Page, kListing, kListing, Kind::List},
    {kSettings2Page, kMinBitrateFactorBox, kVbrBiasBox, Kind::Edit},
    {kSettings2Page, kVbvCheck, kPsnrCheck, Kind::Check},
    {kSettings2Page, kWaitBox, kWaitBox, Kind::Edit},
    {kSettings2Page, kProgressiveSequenceCheck, kProgressiveSequenceCheck, Kind::Check},
    {kSettings2Page, kLuminanceGainSlider, kLuminanceGainSlider, Kind::TrackBar},
    {kSettings2Page, kLuminanceGainBox, kShiftLinesBox, Kind::Edit},
    {kSettings2Page, kMpegLevelCombo, kMpegLevelCombo, Kind::Combo},
    {kSettings2Page, kAllow3BFramesCheck, kAllow3BFramesCheck, Kind::Check},
    {kSettings2Page, kColorimetryCombo, kIntraVlcCombo, Kind::Combo},

    {kSettings3Page, kListing, kListing, Kind::List},
    {kSettings3Page, kTimeCodeHourBox, kTimeCodeFrameBox, Kind::Edit},
    {kSettings3Page, kCpuAutoRadio, kCpuAvx2Radio, Kind::Radio},
    {kSettings3Page, kPriorityIdleRadio, kPriorityHighRadio, Kind::Radio},
    {kSettings3Page, kAvsMemoryBox, kAvsMemoryBox, Kind::Edit},
    {kSettings3Page, kClearPathsButton, kClearPathsButton, Kind::Button},
    {kSettings3Page, kLosslessCheck, kLosslessCheck, Kind::Check},
    {kSettings3Page, kLosslessPathButton, kDbPathButton, Kind::Button},
    {kSettings3Page, kEstimatedSizeText, kEstimatedSizeText, Kind::Static},
    {kSettings3Page, kChroma420Radio, kChroma444Radio, Kind::Radio},

    {kMatrixPage, kBuiltInRadio, kCustomRadio, Kind::Radio},
    {kMatrixPage, kBuiltInCombo, kBuiltInCombo, Kind::Combo},
    {kMatrixPage, kLoadButton, kSaveCqmButton, Kind::Button},
    {kMatrixPage, kAdaptiveMatrixCheck, kAdaptiveMatrixCheck, Kind::Check},
    {kMatrixPage, kFirstIntraCell, kLastIntraCell, Kind::Edit},
    {kMatrixPage, kFirstNonIntraCell, kLastNonIntraCell, Kind::Edit},

    {kChaptersPage, chapters_ids::kSetStartFrame, chapters_ids::kSetEndFrame, Kind::Button},
    {kChaptersPage, preview_ids::kCurrentFrame, preview_ids::kCurrentFrame, Kind::Edit},
    {kChaptersPage, chapters_ids::kList, chapters_ids::kList, Kind::List},
    {kChaptersPage, preview_ids::kStepBack, preview_ids::kLargeForward, Kind::Button},
    {kChaptersPage, preview_ids::kSlider, preview_ids::kSlider, Kind::TrackBar},
    {kChaptersPage, chapters_ids::kImport, chapters_ids::kSceneChangeScan, Kind::Button},

    {kZonesPage, preview_ids::kCurrentFrame, preview_ids::kCurrentFrame, Kind::Edit},
    {kZonesPage, preview_ids::kStepBack, preview_ids::kLargeForward, Kind::Button},
    {kZonesPage, preview_ids::kSlider, preview_ids::kSlider, Kind::TrackBar},
    {kZonesPage, zones_ids::kList, zones_ids::kList, Kind::List},
    {kZonesPage, zones_ids::kFactor, zones_ids::kFactor, Kind::Edit},
    {kZonesPage, zones_ids::kSetZone, zones_ids::kCreateBitmap, Kind::Button},

    {kPanScanPage, preview_ids::kStepBack, preview_ids::kLargeForward, Kind::Button},
    {kPanScanPage, preview_ids::kSlider, preview_ids::kSlider, Kind::TrackBar},
    {kPanScanPage, preview_ids::kPanScanCurrentFrame, panscan_ids::kHeight, Kind::Edit},
    {kPanScanPage, panscan_ids::kImport, panscan_ids::kRemove, Kind::Button},
    {kPanScanPage, panscan_ids::kList, panscan_ids::kList, Kind::List},
    {kPanScanPage, panscan_ids::kLeft, panscan_ids::kDown, Kind::Button},
};

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
    // Labels, group boxes and preview pictures carry ids from the label band up; every lower id is one
    // of the above.
    for (const ControlSpec& c : catalogue()) {
        if (!is_page(c.dialog) || c.id >= layout_ids::kFirstLabel) continue;
        EXPECT_TRUE(listed.count({c.dialog, c.id})) << "unexpected " << where(c.dialog, c.id);
    }
}

// Ids the connection table routes although no page has a control with them: gaps inside its id
// ranges, which no control name stands for.
const std::set<std::pair<int, int>> kRoutedGaps = {
    {kSettings2Page, 1318}, {kSettings2Page, 1319}, {kSettings2Page, 1326}, {kSettings3Page, 1405},
    {kSettings3Page, 1406}, {kSettings3Page, 1407}, {kSettings3Page, 1408}, {kSettings3Page, 1409},
    {kSettings3Page, 1418}, {kSettings3Page, 1419},
};

TEST(Catalogue, EveryControlTheConnectionTableRoutesExists) {
    std::set<std::pair<int, int>> missing;
    int routed = 0;
    for (int dialog = kMainPage; dialog <= kPanScanPage; ++dialog) {
        for (int id = 1; id < layout_ids::kFirstLabel; ++id) {
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
        {kMainPage, {kAverageBitrateRadio, kFileLengthRadio}},
        {kMainPage, {kFastRadio, kNormalRadio, kBestRadio}},
        {kMainPage, {kAspect1To1Radio, kAspect4To3Radio, kAspect16To9Radio, kAspect221To1Radio, kAspectPanScanRadio}},
        {kMainPage, {kDcPrecision8Radio, kDcPrecision9Radio, kDcPrecision10Radio, kDcPrecision11Radio}},
        {kSettings1Page, {kAutoDetectRadio, kProgressiveRadio, kInterlacedRadio, kDvSourceRadio}},
        {kSettings1Page, {kTffRadio, kBffRadio}},
        {kSettings1Page, {kChromaProgressiveRadio, kChromaInterlacedRadio}},
        {kSettings1Page, {kDeadZoneOffRadio, kDeadZoneAutoRadio, kDeadZoneValuesRadio}},
        {kSettings3Page,
         {kCpuAutoRadio, kCpuMmxRadio, kCpuSse2Radio, kCpuSse3Radio, kCpuSsse3Radio, kCpuSse4Radio, kCpuAvxRadio,
          kCpuAvx2Radio}},
        {kSettings3Page, {kPriorityIdleRadio, kPriorityLowRadio, kPriorityNormalRadio, kPriorityHighRadio}},
        {kSettings3Page, {kChroma420Radio, kChroma422Radio, kChroma444Radio}},
        {kMatrixPage, {kBuiltInRadio, kCustomRadio}},
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
    controls.check_radio(kSettings1Page, kInterlacedRadio);
    EXPECT_FALSE(controls.checked(kSettings1Page, kAutoDetectRadio));
    EXPECT_TRUE(controls.checked(kSettings1Page, kTffRadio));
    EXPECT_TRUE(controls.checked(kSettings1Page, kChromaProgressiveRadio));
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
    EXPECT_EQ(items_of(kSettings2Page, kColorimetryCombo),
              (Items{"DEFAULT", "BT.709", "BT.470-2M", "BT.470-2BG", "SMPTE170M", "SMPTE240M"}));
    EXPECT_EQ(items_of(kSettings2Page, kMpegLevelCombo), (Items{"AUTO", "MP@ML", "MP@H-14", "MP@HL"}));
    EXPECT_EQ(items_of(kSettings2Page, kIntraVlcCombo), (Items{"AUTO", "TABLE 14", "TABLE 15"}));
    EXPECT_EQ(items_of(kMatrixPage, kBuiltInCombo),
              (Items{"MPEG", "QLB", "NOTCH", "TEAL1", "QZ", "QZLOW", "KIRUN1CD", "HVSGOOD", "HVSBETTER", "HVSBEST",
                     "OLUMAT6", "OLUMAT7", "ELK1", "ELK2", "ELK3", "TIRENO1", "TIRENO2", "TIRENO3", "MPEG STANDARD"}));

    // Only the matrix list has an edit field; the three stream-flag lists are drop-down lists.
    EXPECT_TRUE(find(kMatrixPage, kBuiltInCombo)->flags & kComboEditable);
    for (int id : {kMpegLevelCombo, kColorimetryCombo, kIntraVlcCombo})
        EXPECT_FALSE(find(kSettings2Page, id)->flags & kComboEditable) << id;
}

TEST(Catalogue, SlidersAndSpinsHaveTheirRangesAndStartPositions) {
    struct Range {
        int dialog, id, min, max, pos;
    };
    for (const Range& r :
         {Range{kMainPage, kAutoGopSpin, 8, 18, 15}, Range{kSettings1Page, kGopLengthSpin, 1, 36, 15},
          Range{kSettings1Page, kBFramesSpin, 0, 2, 2}, Range{kSettings1Page, kPFactorSpin, 1, 32, 9},
          Range{kSettings1Page, kBFactorSpin, 1, 32, 9}, Range{kSettings1Page, kAqSlider, 0, 4, 2},
          Range{kSettings2Page, kLuminanceGainSlider, 0, 4, 0}, Range{kChaptersPage, preview_ids::kSlider, 0, 1000, 0},
          Range{kZonesPage, preview_ids::kSlider, 0, 1000, 0}, Range{kPanScanPage, preview_ids::kSlider, 0, 1000, 0}}) {
        const ControlSpec* c = find(r.dialog, r.id);
        ASSERT_NE(c, nullptr) << where(r.dialog, r.id);
        EXPECT_EQ(c->range_min, r.min) << where(r.dialog, r.id);
        EXPECT_EQ(c->range_max, r.max) << where(r.dialog, r.id);
        EXPECT_EQ(c->initial_pos, r.pos) << where(r.dialog, r.id);
    }
}

TEST(Catalogue, EditFlagsFollowWhatTheBoxesAccept) {
    const std::vector<std::pair<int, int>> digits = {
        {kMainPage, kFileLengthBox},         {kMainPage, kAverageBitrateBox},
        {kMainPage, kMaxBitrateBox},         {kMainPage, kStartFrameBox},
        {kMainPage, kEndFrameBox},           {kMainPage, kAutoGopBox},
        {kSettings1Page, kBFramesBox},       {kSettings1Page, kGopLengthBox},
        {kSettings1Page, kDeadZoneIntraBox}, {kSettings1Page, kDeadZoneNonIntraBox},
        {kSettings2Page, kVbrBiasBox},       {kSettings2Page, kWaitBox},
        {kSettings3Page, kTimeCodeHourBox},  {kSettings3Page, kTimeCodeSecondBox},
        {kSettings3Page, kTimeCodeFrameBox}, {kSettings3Page, kAvsMemoryBox},
    };
    for (auto [dialog, id] : digits) EXPECT_TRUE(find(dialog, id)->flags & kDigitsOnly) << where(dialog, id);
    // Real numbers and signed values need more than digits.
    for (auto [dialog, id] : {std::pair{kSettings1Page, kQuantiserBox},
                              {kSettings2Page, kMinBitrateFactorBox},
                              {kSettings2Page, kShiftLinesBox},
                              {kZonesPage, zones_ids::kFactor},
                              {kPanScanPage, panscan_ids::kHorizontal}})
        EXPECT_FALSE(find(dialog, id)->flags & kDigitsOnly) << where(dialog, id);

    for (auto [dialog, id] : {std::pair{kSettings1Page, kPFactorBox},
                              {kSettings1Page, kBFactorBox},
                              {kSettings1Page, kAqBox},
                              {kSettings2Page, kLuminanceGainBox}})
        EXPECT_TRUE(find(dialog, id)->flags & kReadOnly) << where(dialog, id);

    for (int dialog : {kSettings1Page, kSettings2Page, kSettings3Page})
        EXPECT_TRUE(find(dialog, kListing)->flags & kMonospace) << dialog;

    for (int i = 0; i < kCellsPerMatrix; ++i) {
        for (int id : {intra_cell(i), non_intra_cell(i)}) {
            const ControlSpec* cell = find(kMatrixPage, id);
            ASSERT_NE(cell, nullptr) << id;
            EXPECT_EQ(cell->flags & (kDigitsOnly | kRightAligned), kDigitsOnly | kRightAligned) << id;
        }
    }
}

TEST(Catalogue, StartsInTheResetStateWithoutInput) {
    Controls controls;
    EXPECT_FALSE(controls.enabled(kMainPage, kOutputButton));        // output needs an input name
    EXPECT_FALSE(controls.enabled(kMainPage, kAverageBitrateBox));   // bitrate boxes need a valid input
    EXPECT_FALSE(controls.enabled(kMainPage, kAspectPanScanRadio));  // "4:3 PanScan" needs a PAL or NTSC frame size
    EXPECT_EQ(controls.text(kMainPage, kFrameCountText), "-");
    EXPECT_EQ(controls.text(kMainPage, kInputButton), "input file name (*.d2v, *.avs)");
    EXPECT_FALSE(controls.enabled(kSettings1Page, kGopLengthBox));      // automatic GOP is on
    EXPECT_FALSE(controls.enabled(kSettings1Page, kQuantiserBox));      // constant quantisation is off
    EXPECT_FALSE(controls.enabled(kSettings1Page, kDeadZoneIntraBox));  // dead zone "auto"
    EXPECT_TRUE(controls.checked(kSettings2Page, kVbvCheck));
    EXPECT_TRUE(controls.checked(kSettings2Page, kSeqEndcodeCheck));
    EXPECT_EQ(controls.text(kSettings2Page, kColorimetryCombo), "DEFAULT");
    EXPECT_EQ(controls.text(kSettings3Page, kLosslessPathButton), "lossless path (not set)");
    EXPECT_EQ(controls.text(kMatrixPage, kBuiltInCombo), "MPEG");
    for (int id : {kLoadButton, kSaveMtxButton, kSaveCqmButton, kFirstIntraCell, kLastIntraCell, kFirstNonIntraCell,
                   kLastNonIntraCell})
        EXPECT_FALSE(controls.enabled(kMatrixPage, id)) << id;
    for (int id :
         {panscan_ids::kVertical, panscan_ids::kWidth, panscan_ids::kHeight, panscan_ids::kUp, panscan_ids::kDown})
        EXPECT_FALSE(controls.enabled(kPanScanPage, id)) << id;
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
            EXPECT_TRUE(c.id >= layout_ids::kFirstGroupBox && c.id < layout_ids::kFirstPicture && *c.caption)
                << where(c.dialog, c.id);
        }
        if (c.kind == Kind::Static && c.id >= layout_ids::kFirstLabel) {
            EXPECT_TRUE(c.id < layout_ids::kFirstGroupBox && *c.caption) << where(c.dialog, c.id);
        }
        if (c.kind == Kind::Preview) {
            EXPECT_GE(c.id, layout_ids::kFirstPicture) << where(c.dialog, c.id);
            ++previews[c.dialog];
        }
    }
    EXPECT_EQ(previews, (std::map<int, int>{{kChaptersPage, 1}, {kZonesPage, 1}, {kPanScanPage, 1}}));
}

}  // namespace
