#include "pages/input_checks.h"

#include "input/avisynth_lookup.h"
#include "input/video_source.h"
#include "ui/ids/dialogs.h"
#include "ui/ids/main_page.h"

namespace qz::input {

using ui::dialog::kMainPage;
using namespace ui::main_page_ids;

namespace {

}  // namespace

void locate_avisynth(App& app) {
    AvisynthLocation found = find_avisynth_library();
    app.avisynth_lookup_status = found.status;
    app.avisynth_library_path = found.path;
    app.avisynth_installed = found.status != kAvisynthNotFound;
}

void check_input(App& app) {
    InputAdvice advice = check_input(app.video, app.controls.checked(kMainPage, kPulldownCheck));
    for (int i = 0; i < advice.count; ++i) app.log.add(advice.lines[static_cast<size_t>(i)]);
}

}  // namespace qz::input
