#pragma once
// The growable array of 32-bit ints: a body's force indices.

#include <cstdint>

#include "darray/darray.h"

using DArrayInt = DArray<int32_t>;
