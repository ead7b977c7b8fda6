// Loading a settings file from a path, as "load ini file" does once its dialog has named the file:
// the program's own file reading, the reader, the pages, the input the file names and the listing.
// Each input is a file in a fresh program folder, loaded by a freshly started program, so a failure
// reproduces from its input alone.
#include "fuzz/fuzz_work_folder.h"
#include "commands/settings_commands.h"
#include "commands/startup.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace {

// Questions are answered yes and dialogs cancelled, as the driver does with nothing queued.
class NoDialogs final : public qz::ui::DialogHost {
public:
    qz::ui::Answer message_box(const std::string&, const std::string&, qz::ui::MessageKind kind) override {
        return kind == qz::ui::MessageKind::Question ? qz::ui::Answer::Yes : qz::ui::Answer::Ok;
    }
    std::optional<std::string> file_dialog(const qz::ui::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> browse_folder(const std::string&) override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz;
    const fuzz::WorkFolder folder("qz_settings_load_fuzz");
    const std::string path = folder.write("user.ini", data, size);
    if (path.empty()) return 0;

    NoDialogs dialogs;
    auto app = std::make_unique<App>();
    app->dialogs = &dialogs;
    commands::StartOptions options;
    options.home_folder = folder.path();
    commands::start_up(*app, options);

    app->settings.user_settings_path = path;
    commands::load_settings_file(*app, true);
    const settings::Settings& record = app->settings;
    if (record.chapters.count < 0 || record.chapters.count > settings::kChapterCapacity) std::abort();
    if (record.zones.count < 0 || record.zones.count > settings::kZoneCapacity) std::abort();
    if (record.panscan.count < 0 || record.panscan.count > settings::kPanScanCapacity) std::abort();
    commands::shut_down(*app);
    return 0;
}
