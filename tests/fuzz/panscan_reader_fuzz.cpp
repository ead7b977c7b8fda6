// The pan-scan file reader on arbitrary bytes, at the width the first byte picks: no crash, no access
// outside the list, offsets within the width's limits, a failed read leaving no list. Whatever was
// read is written so that it reads back the same, and the per-frame table is built from it.
#include "settings/panscan_file.h"
#include "settings/panscan_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

bool same_positions(const qz::settings::PanScanList& a, const qz::settings::PanScanList& b) {
    if (a.count != b.count) return false;
    for (size_t i = 0; i < static_cast<size_t>(a.count); ++i)
        if (a.entries[i].frame != b.entries[i].frame || a.entries[i].offset != b.entries[i].offset) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz::settings;
    constexpr int kWidths[] = {720, 704, 1920};
    const int width = kWidths[size > 0 ? data[0] % 3 : 0];
    std::string_view text(reinterpret_cast<const char*>(data), size);

    static auto list = std::make_unique<PanScanList>();
    static auto again = std::make_unique<PanScanList>();
    const PanScanRead read = parse_panscan_text(text, width, *list);
    if (list->count < 0 || list->count > kPanScanCapacity) std::abort();
    if (read.status != PanScanFileStatus::Ok) {
        if (read.status != PanScanFileStatus::ReadError || list->count != 0) std::abort();
        return 0;
    }
    if (list->count != std::min<int64_t>(read.positions, kPanScanCapacity)) std::abort();
    const OffsetLimits limits = panscan_offset_limits(width);
    for (int32_t i = 0; i < list->count; ++i) {
        const int32_t offset = list->entries[static_cast<size_t>(i)].offset;
        if (offset < limits.lowest || offset > limits.highest) std::abort();
    }

    const PanScanRead back = parse_panscan_text(format_panscan_text(*list), width, *again);
    if (back.status != PanScanFileStatus::Ok || !same_positions(*list, *again)) std::abort();

    std::array<int16_t, 64> table{};
    fill_panscan_offsets(*list, table);
    return 0;
}
