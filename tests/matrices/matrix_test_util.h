// Helpers shared by the matrix tests.
#pragma once

#include "matrices/matrix_tables.h"

#include <sstream>
#include <string>

namespace qz::matrices::test {

// A matrix written the way tables are published: rows separated by '/', values by blanks.
inline Matrix matrix_from_rows(const std::string& rows) {
    Matrix m{};
    std::istringstream in(rows);
    std::string token;
    size_t i = 0;
    while (in >> token)
        if (token != "/" && i < m.size()) m[i++] = std::stoi(token);
    return m;
}

inline Matrix matrix_filled(int32_t value) {
    Matrix m{};
    m.fill(value);
    return m;
}

inline const MatrixPair& pair_of(int number) { return *built_in_pair(number); }

}  // namespace qz::matrices::test
