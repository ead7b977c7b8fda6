#include "pages/information_buttons.h"
#include "pages/input_checks.h"

#include "input/avisynth_lookup.h"
#include "platform/platform.h"
#include "input/pe_version.h"

namespace qz::pages {

namespace {

// A file without a readable version resource (any file that is not a Windows image) has no line.
void show_version_of(App& app, const std::string& path) {
    if (std::optional<input::FileVersion> version = input::read_file_version(path))
        app.log.add(input::version_line(*version));
}

}  // namespace

void show_encoder_info(App& app) {
    app.log.add("---- QZenc info ----");
    const std::string& encoder = app.paths.encoder_file;
    if (!platform::file_exists(encoder)) {
        app.log.add("QZ encoder:  " + app.paths.program_folder + "QZenc_028.exe NOT found");
        return;
    }
    app.log.add("QZenc found: " + encoder);
    show_version_of(app, encoder);
}

void show_avisynth_info(App& app) {
    app.log.add("---- Avisynth info ----");
    input::locate_avisynth(app);
    switch (app.avisynth_lookup_status) {
        case input::kAvisynthNotFound:
            app.log.add("Avisynth.dll not found");
            app.log.add("please install Avisynth");
            return;
        case input::kAvisynthLoadable:
            app.log.add("Avisynth.dll found:  " + app.avisynth_library_path + "  (not loaded)");
            break;
        default:
            app.log.add("Avisynth.dll found:  " + app.avisynth_library_path + "  (loaded)");
            break;
    }
    show_version_of(app, app.avisynth_library_path);
}

void show_dgdecode_info(App& app) {
    app.log.add("---- DGDecode info ----");
    std::string versions;
    for (const DgdecodeBuild& build : kDgdecodeBuilds) {
        if (!platform::file_exists(app.paths.dgdecode_folder + build.file_name)) continue;
        versions += "  ";
        versions += build.project_version;
    }
    if (versions.empty()) {
        app.log.add("DGDecode NOT found");
        return;
    }
    app.log.add("DGDecode decoder found, valid project versions: " + versions);
}

}  // namespace qz::pages
