// The Settings 3 page: the dispatcher, the start time code, the forced instruction set, the encoder's
// priority, the chroma output format and the Avisynth memory. The lossless file is in
// settings3_lossless.cpp, the folder buttons in settings3_paths.cpp.
#include "pages/settings3_page.h"

#include "pages/settings3_parts.h"
#include "settings/free_format.h"
#include "pages/settings_file_writer.h"
#include "settings/value_text.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>
#include <string>

namespace qz::pages {

using ui::dialog::kSettings3Page;
using namespace ui::settings3_ids;

namespace settings3 {

namespace {

// The most memory, in MB, that the page lets the encoder give Avisynth (its SetMemoryMax).
constexpr int kMaxAvsMemoryMb = 1024;

struct TimeCodeField {
    int maximum;
    const char* corrected;
};
constexpr TimeCodeField kTimeCodeFields[] = {
    {23, "hour timecode corrected, set to the maximum: 23"},
    {59, "minute timecode corrected, set to the maximum: 59"},
    {59, "second timecode corrected, set to the maximum: 59"},
    {59, "frame timecode corrected, set to the maximum: 59"},
};

// Indexed by the detected level 1 to 7.
constexpr const char* kDetectedSets[] = {
    "",
    ", CPU identified as MMX",
    ", CPU identified as MMX/SSE2",
    ", CPU identified as MMX/SSE2/SSE3",
    ", CPU identified as MMX/SSE2/SSE3/SSSE3",
    ", CPU identified as MMX/SSE2/SSE3/SSSE3/SSE4",
    ", CPU identified as MMX/SSE2/SSE3/SSSE3/SSE4/AVX",
    ", CPU identified as MMX/SSE2/SSE3/SSSE3/SSE4/AVX/AVX2",
};

// Indexed by the CPU radio, "auto" to "AVX2"; the leading blanks are part of the messages.
constexpr const char* kForcedSets[] = {
    "auto detection of CPU extensions",
    "CPU is forced to use MMX/ISSE extensions",
    " CPU is forced to use SSE2 extensions",
    " CPU is forced to use SSE3 extensions",
    " CPU is forced to use SSSE3 extensions",
    " CPU is forced to use SSE4 extensions",
    " CPU is forced to use AVX extensions",
    " CPU is forced to use AVX2 extensions",
};

bool is_blank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

bool on_time_code_typed(App& app, int box) {
    const int field = box - kTimeCodeHourBox;
    const TimeCodeField& limits = kTimeCodeFields[field];
    int32_t& stored = app.settings.values.timecode[static_cast<size_t>(field)];
    int32_t value = stored;
    if (!settings::parse_int_text(app.controls.text(kSettings3Page, box), value)) value = stored;
    if (value > limits.maximum) {
        value = limits.maximum;
        app.log.add(limits.corrected);
    }
    // A time code counts from 0; the minute box takes a sign, which means nothing here.
    stored = std::max(value, 0);
    std::string text = settings::int_text(stored);
    if (app.controls.text(kSettings3Page, box) != text) app.controls.set_text(kSettings3Page, box, text);
    return true;
}

// A forced set the processor lacks is allowed: the message shows both, the encoder decides.
bool on_cpu(App& app, int radio) {
    if (!app.controls.checked(kSettings3Page, radio)) return false;
    if (app.cpu_level < 1 || app.cpu_level > 7) return true;
    app.log.add(std::string(kForcedSets[radio - kCpuAutoRadio]) + kDetectedSets[app.cpu_level]);
    return true;
}

bool on_priority(App& app, int radio) {
    static constexpr const char* kMessages[] = {" priority set to idle (default)", " priority set to low",
                                                " priority set to normal", " priority set to high"};
    if (!app.controls.checked(kSettings3Page, radio)) return false;
    app.log.add(kMessages[radio - kPriorityIdleRadio]);
    return true;
}

bool on_chroma_output(App& app, int radio) {
    static constexpr const char* kMessages[] = {" chroma output set to 420", " chroma output set to 422",
                                                " chroma output set to 444"};
    if (!app.controls.checked(kSettings3Page, radio)) return false;
    app.log.add(kMessages[radio - kChroma420Radio]);
    return true;
}

bool on_avs_memory_entered(App& app) {
    app.log.add("set maximum Avisynth memory, 1024 MB is the maximum you can set");
    return true;
}

// The box holds a number of MB from 1 to 1024, or nothing for Avisynth's own default (0 in the
// record); text that is no number gives the previous value back.
bool on_avs_memory_typed(App& app) {
    int32_t& memory = app.settings.values.avs_memory_mb;
    std::string text = app.controls.text(kSettings3Page, kAvsMemoryBox);
    int32_t value = 0;
    if (is_blank(text)) value = 0;
    else if (!settings::parse_int_text(text, value)) value = memory;
    memory = std::clamp(value, 0, kMaxAvsMemoryMb);
    std::string shown = memory > 0 ? settings::int_text(memory) : std::string();
    if (text != shown) app.controls.set_text(kSettings3Page, kAvsMemoryBox, shown);
    return true;
}

bool on_avs_memory_left(App& app) {
    app.log.add(is_blank(app.controls.text(kSettings3Page, kAvsMemoryBox)) ? "default Avisynth memory"
                                                                           : "Avisynth memory set");
    return true;
}

namespace {

bool dispatch(App& app, const ui::Event& e) {
    using ui::EventKind;
    const int id = e.id;
    if (id == kAvsMemoryBox) {
        if (e.kind == EventKind::FocusGained) return on_avs_memory_entered(app);
        if (e.kind == EventKind::TextChanged) return on_avs_memory_typed(app);
        if (e.kind == EventKind::FocusLost) return on_avs_memory_left(app);
        return false;
    }
    if (id >= kTimeCodeHourBox && id <= kTimeCodeFrameBox)
        return e.kind == EventKind::TextChanged && on_time_code_typed(app, id);
    if (e.kind != EventKind::Clicked) return false;
    if (id >= kCpuAutoRadio && id <= kCpuAvx2Radio) return on_cpu(app, id);
    if (id >= kPriorityIdleRadio && id <= kPriorityHighRadio) return on_priority(app, id);
    if (id >= kChroma420Radio && id <= kChroma444Radio) return on_chroma_output(app, id);
    switch (id) {
        case kLosslessCheck: return on_lossless(app);
        case kClearPathsButton: return on_clear_paths(app);
        case kLosslessPathButton:
        case kDbPathButton: return on_folder_button(app, id);
        default: return false;
    }
}

}  // namespace

}  // namespace settings3

void on_settings3_page(App& app, const ui::Event& event) {
    if (event.dialog != kSettings3Page) return;
    if (settings3::dispatch(app, event)) settings::refresh_listing(app);
}

}  // namespace qz::pages
