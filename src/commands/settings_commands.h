// The settings file commands of the Main page: "load ini file", "save ini file", "load QZ.ini" and
// "save QZ.ini".
#pragma once

#include "state/app.h"

namespace qz::commands {

// With `user_file`, asks for the file first ("select ini file"); a cancelled dialog changes nothing.
// Then forgets the loaded input, resets every setting, reads the file and applies it to the pages.
void load_settings_command(App& app, bool user_file);

// The load itself, after any dialog: the user settings path, or QZ.ini without `user_file`.
void load_settings_file(App& app, bool user_file);

// With `user_file`, asks for the file first ("save ini file"); then writes it. The writer reports.
void save_settings_command(App& app, bool user_file);

// The parameters of the two settings file dialogs.
ui::FileDialogRequest settings_file_dialog(const App& app, bool save);

}  // namespace qz::commands
