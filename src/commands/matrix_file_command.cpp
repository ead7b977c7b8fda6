#include "commands/matrix_file_command.h"

#include "commands/file_dialog.h"
#include "pages/matrix_selection.h"
#include "platform/platform.h"
#include "settings/settings_record.h"
#include "ui/ids/matrix_page.h"

#include <optional>

namespace qz::matrices {

using namespace ui::matrix_ids;

namespace {

struct CommandDialog {
    int control_id;
    commands::FileDialogSpec spec;
};

constexpr CommandDialog kDialogs[] = {
    {kLoadButton, {false, "import matrix file", "matrix file  (*.mtx, *.cqm)", "*.mtx;*.cqm", "mtx"}},
    {kSaveMtxButton, {true, "export matrix file as mtx", "matrix file  (*.mtx)", "*.mtx", "mtx"}},
    {kSaveCqmButton, {true, "export matrix file as cqm", "matrix file  (*.cqm)", "*.cqm", "cqm"}},
};

const CommandDialog* dialog_of(int control_id) {
    for (const CommandDialog& d : kDialogs)
        if (d.control_id == control_id) return &d;
    return nullptr;
}

// The import opens where matrix files are kept beside the program; the exports where the last
// matrix file was.
std::optional<std::string> ask_for_matrix_file(App& app, const CommandDialog& d) {
    const std::string start_folder = d.control_id == kLoadButton ? app.paths.matrix_folder : std::string();
    return commands::ask_for_file(app, d.spec, app.matrix.matrix_file, start_folder);
}

}  // namespace

void run_matrix_file_command(App& app, int control_id) {
    const CommandDialog* d = dialog_of(control_id);
    if (!d) return;
    std::optional<std::string> chosen = ask_for_matrix_file(app, *d);
    if (!chosen || chosen->empty()) return;  // cancelled: the name stays as it was
    if (chosen->size() > static_cast<size_t>(settings::kMaxPathLength)) {
        app.log.add("matrix file name too long, at most 512 characters");
        return;
    }
    app.matrix.matrix_file = *chosen;
    switch (control_id) {
        case kLoadButton: import_matrix_file(app, *chosen); break;
        case kSaveMtxButton: export_matrix_file(app, *chosen, MatrixFileFormat::Mtx); break;
        case kSaveCqmButton: export_matrix_file(app, *chosen, MatrixFileFormat::Cqm); break;
        default: break;
    }
}

bool import_matrix_file(App& app, const std::string& path) {
    MatrixFileStatus status = read_matrix_file(path, app.settings.custom_matrix);
    if (status != MatrixFileStatus::Ok) {
        app.log.add(matrix_file_message(status));
        return false;
    }
    app.settings.matrix_number = kCustomMatrixNumber;
    apply_matrix_selection(app);
    app.log.add("matrix file successfully read");
    return true;
}

bool export_matrix_file(App& app, const std::string& path, MatrixFileFormat format) {
    const MatrixPair& custom = app.settings.custom_matrix;
    MatrixFileStatus status = format == MatrixFileFormat::Cqm ? write_cqm_file(path, custom) : write_mtx_file(path, custom);
    if (status != MatrixFileStatus::Ok) {
        app.log.add(matrix_file_message(status));
        if (!matrix_file_note(status).empty()) app.log.add(matrix_file_note(status));
        return false;
    }
    app.log.add("matrix file successfully written");
    return true;
}

}  // namespace qz::matrices
