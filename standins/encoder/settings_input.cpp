#include "settings_input.h"

#include "encoder_os.h"
#include "input/input_kind.h"
#include "matrices/matrix_tables.h"
#include "platform/platform.h"
#include "platform/files.h"
#include "settings/line_reader.h"


#include <cstdio>

namespace qz::encoder {

namespace {

// The existence checks and the input kind detection of the reader, answered from the file system.
class EncoderEnvironment final : public settings::ReaderEnvironment {
public:

    bool file_exists(const std::string& path) override { return platform::file_exists(path); }

    settings::InputOutcome check_input(const std::string& path) override {
        // The encoder decodes a project through the one "DGDecode.dll" beside it; the folder named
        // here only completes the versioned name, which the version check needs.
        const input::InputKind kind = input::classify_input(path, executable_folder() + "DGDecode/");
        if (!kind.sources_present) return settings::InputOutcome::SourcesMissing;
        if (!kind.project_usable) return settings::InputOutcome::VersionMismatch;
        return settings::InputOutcome::Accepted;
    }
};

}  // namespace

SettingsLoad read_encoder_settings(const std::string& path, settings::Settings& record) {
    SettingsLoad load;
    matrices::initialise_custom_matrix(record);
    platform::FileReader file;
    switch (file.open(path, kMaxSettingsFileBytes)) {
    case platform::ReadStatus::Ok: break;
    case platform::ReadStatus::NotFound: return load;
    case platform::ReadStatus::NotRegularFile: load.outcome = SettingsOutcome::NotRegular; return load;
    case platform::ReadStatus::TooLarge: load.outcome = SettingsOutcome::TooLarge; return load;
    default: load.outcome = SettingsOutcome::Unreadable; return load;
    }
    settings::FileLineReader lines(file);
    EncoderEnvironment environment;
    load.report = settings::parse_settings(lines, record, environment);
    load.outcome = load.report.read_error ? SettingsOutcome::Unreadable : SettingsOutcome::Read;
    return load;
}

}  // namespace qz::encoder
