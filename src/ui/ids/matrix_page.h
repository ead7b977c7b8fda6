// Controls of the Matrix page (dialog 107, tab 5).
#pragma once

namespace qz::ui::matrix_ids {

inline constexpr int kBuiltInRadio = 1501;         // "built in matrix"
inline constexpr int kCustomRadio = 1502;          // "custom matrix"
inline constexpr int kBuiltInCombo = 1503;         // the built-in pairs, with an edit field
inline constexpr int kLoadButton = 1504;           // "load custom matrix"
inline constexpr int kSaveMtxButton = 1505;        // "save custom matrix (mtx)"
inline constexpr int kSaveCqmButton = 1506;        // "save custom matrix (cqm)"
inline constexpr int kAdaptiveMatrixCheck = 1507;  // "adaptive matrix", *ADAPTIVEMATRIX

// The two 8x8 grids of the pair in use, value i (0 to 63, row-major) of each matrix in one box. The
// first intra box holds the intra DC value, always 8.
inline constexpr int kCellsPerMatrix = 64;
inline constexpr int kFirstIntraCell = 2001;
inline constexpr int kLastIntraCell = kFirstIntraCell + kCellsPerMatrix - 1;
inline constexpr int kFirstNonIntraCell = 2101;
inline constexpr int kLastNonIntraCell = kFirstNonIntraCell + kCellsPerMatrix - 1;

constexpr int intra_cell(int index) { return kFirstIntraCell + index; }
constexpr int non_intra_cell(int index) { return kFirstNonIntraCell + index; }

}  // namespace qz::ui::matrix_ids
