// The system's scalar types: INTEGER, REAL (single precision, where results
// must match) and LOGICAL.
#pragma once
#include <cstdint>

namespace datrax {

using INTEGER = int32_t;
using REAL = float;
using LOGICAL = bool;

}  // namespace datrax
