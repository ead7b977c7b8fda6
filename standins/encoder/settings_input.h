// Reading "QZ.ini" for the encoder with the program's own settings file parser (one definition of
// the format), without the program state: existence checks and the input kind detection are
// answered here.
#pragma once

#include "settings/settings_file_parser.h"
#include "settings/settings_record.h"

#include <string>

namespace qz::encoder {

enum class SettingsOutcome {
    Read,
    Missing,       // no file of that name
    NotRegular,    // a folder, a device, ...
    TooLarge,      // far beyond any settings file (640000 chapters fit in a few MB)
    Unreadable,    // it could not be opened or read to its end
};

struct SettingsLoad {
    SettingsOutcome outcome = SettingsOutcome::Missing;
    settings::ReadReport report;
};

// A settings file never needs more than this; anything larger is refused unread.
inline constexpr long long kMaxSettingsFileBytes = 64ll * 1024 * 1024;

// Reads `path` into `record`, which starts from the record's own defaults and the program's initial
// custom matrix pair.
SettingsLoad read_encoder_settings(const std::string& path, settings::Settings& record);

}  // namespace qz::encoder
