// The matrix file readers on arbitrary bytes: the text reader whole and in uneven pieces (both must
// agree), and the binary reader.
#include "matrices/matrix_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qz::matrices;
    std::string_view text(reinterpret_cast<const char*>(data), size);

    std::optional<MatrixPair> whole = parse_mtx(text);

    MtxParser pieces;
    size_t step = size > 0 ? (data[0] % 7) + 1 : 1;
    for (size_t at = 0; at < size; at += step)
        if (!pieces.feed(text.substr(at, step))) break;
    std::optional<MatrixPair> pieced = pieces.finish();

    if (whole.has_value() != pieced.has_value()) std::abort();
    if (whole) {
        if (whole->intra != pieced->intra || whole->non_intra != pieced->non_intra) std::abort();
        // Whatever was read is written so that it reads back the same.
        std::optional<MatrixPair> again = parse_mtx(format_mtx(*whole));
        if (!again || again->intra != whole->intra || again->non_intra != whole->non_intra) std::abort();
    }

    std::optional<MatrixPair> binary = parse_cqm(std::span<const uint8_t>(data, size));
    if (binary.has_value() != (size >= kCqmBytes)) std::abort();
    return 0;
}
