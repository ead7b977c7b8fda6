#include "commands/open_steps.h"

#include "pages/main_page.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"
#include "ui/ids/settings3_page.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace qz::input {

using ui::dialog::kMainPage;
using ui::dialog::kSettings3Page;
using namespace ui::main_page_ids;
using namespace ui::settings3_ids;

namespace {

constexpr const char* kNoInputCaption = "input file name (*.d2v, *.avs)";

}  // namespace

std::string input_path(const App& app) {
    std::string path = app.settings.input_file;
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) path.pop_back();
    return path;
}

void forget_input(App& app) {
    // No size, rate or frame count of the refused or earlier input may decide what follows (the
    // PanScan availability, the pulldown switch, the automatic GOP length).
    app.video.clear_properties();
    app.settings.input_file.clear();
    // The given mark stands for "an input name is set"; a blank name must not be written back.
    app.settings.set_given(settings::kInfile, false);
    app.settings.input_valid = false;
    app.controls.set_text(kMainPage, kInputButton, kNoInputCaption);
}

void store_plane_sizes(VideoSource& video) {
    video.luma_size = video.width * video.height;
    video.double_luma_size = 2 * video.luma_size;
    video.quarter_luma_size = video.luma_size / 4;
    video.luma_row_width = video.width;
    video.chroma_row_width = video.colour_space == kYV24 ? video.width : video.width / 2;
}

void store_rate(VideoSource& video, uint32_t numerator, uint32_t denominator) {
    video.rate_numerator = static_cast<int32_t>(numerator);
    video.rate_denominator = static_cast<int32_t>(denominator);
    video.frame_rate = static_cast<float>(numerator) / static_cast<float>(denominator);
    video.duration = static_cast<float>(video.frame_count) / video.frame_rate;
}

void apply_frame_range(App& app) {
    settings::OptionValues& values = app.settings.values;
    const int32_t last = app.video.frame_count - 1;
    if (app.settings.is_given(settings::kFrames)) {
        values.last_frame = std::min(values.last_frame, last);
        values.first_frame = std::min(values.first_frame, values.last_frame);
    } else {
        values.first_frame = 0;
        values.last_frame = last;
    }
    values.frames_to_encode = values.last_frame - values.first_frame + 1;
}

int32_t avisynth_memory_setting(const App& app) {
    const std::string text = app.controls.text(kSettings3Page, kAvsMemoryBox);
    std::string_view digits(text);
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
    int32_t mb = -1;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), mb);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || mb < 0) return -1;
    return mb;
}

void store_avisynth_memory_setting(App& app, int32_t before, int32_t in_force) {
    if (before < 0) return;
    app.settings.values.avs_memory_mb = in_force;
    app.controls.set_text(kSettings3Page, kAvsMemoryBox, std::to_string(in_force));
}

void refresh_main_page(App& app) {
    pages::refresh_movie_information(app);
    pages::refresh_file_length(app);
}

void write_open_outcome(App& app, OpenOutcome outcome, std::string_view detail) {
    const std::string text = open_outcome_text(outcome, detail);
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        app.log.add(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
}

}  // namespace qz::input
