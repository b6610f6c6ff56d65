#pragma once
// The growable array of floats: the state and derivative vectors of the ODE solvers.

#include "darray/darray.h"

using DArrayFloat = DArray<float>;
