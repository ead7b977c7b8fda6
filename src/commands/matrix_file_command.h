// The matrix import and export commands behind the Matrix page's buttons "load custom matrix",
// "save custom matrix (mtx)" and "save custom matrix (cqm)": the file dialog, the remembered matrix
// file name, the reader or writer, and the Message log lines.
#pragma once

#include "matrices/matrix_files.h"
#include "state/app.h"

#include <string>

namespace qz::matrices {

// Shows the file dialog of the button `control_id`; a cancelled dialog changes nothing. Other control
// ids are ignored.
void run_matrix_file_command(App& app, int control_id);

// Reads `path` into the custom pair; on success selects the custom pair (matrix number 0), applies the
// selection and logs "matrix file successfully read". On failure logs the reader's message and
// changes nothing. True on success.
bool import_matrix_file(App& app, const std::string& path);

// Writes the custom pair; logs "matrix file successfully written" once the new file has replaced the
// old one, or the writer's message (and, when the write had begun, that nothing on disk changed).
bool export_matrix_file(App& app, const std::string& path, MatrixFileFormat format);

}  // namespace qz::matrices
