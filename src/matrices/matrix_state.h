// What the matrix subsystem keeps between events, apart from the Settings record: the pair the
// Matrix page's grids show, and the matrix file name the import and export commands remember.
#pragma once

#include "matrices/matrix_tables.h"

#include <string>

namespace qz::matrices {

struct MatrixState {
    // A copy of the pair the matrix number selected at the last apply; a number that selects
    // nothing leaves it as it was. Starts as MPEG, the default choice.
    MatrixPair shown = *built_in_pair(kMpegMatrixNumber);
    // The last file chosen in a matrix file dialog (empty until then).
    std::string matrix_file;
};

}  // namespace qz::matrices
