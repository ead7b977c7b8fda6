#include "shell/file_commands.h"

#include "matrices/matrix_file_command.h"

namespace qz::shell {

void on_file_command(App& app, const ui::Event& event) {
    if (event.kind != ui::EventKind::Clicked) return;
    if (event.dialog == 107 && event.id >= 1504 && event.id <= 1506) matrices::run_matrix_file_command(app, event.id);
}

}  // namespace qz::shell
