// Where a fetched frame goes: the three 4:2:0 planes with their capacities, which no frame may exceed
// whatever size a library reports.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qz::input {

struct PlaneTarget {
    uint8_t* data = nullptr;
    size_t capacity = 0;  // bytes
};

struct FramePlanes {
    PlaneTarget y, u, v;
};

}  // namespace qz::input
