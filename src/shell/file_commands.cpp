#include "shell/file_commands.h"

namespace qz::shell {

void on_file_command(App&, const ui::Event&) {}

}  // namespace qz::shell
