#pragma once
// Reading NumPy arrays (or anything NumPy can turn into one) into the plain double arrays the
// library takes, with the checks every entry point makes: numbers only (TypeError), the expected
// shape (ValueError), finite coordinates (ValueError).

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace quorvel_python {

using Doubles = pybind11::array_t<double, pybind11::array::c_style | pybind11::array::forcecast>;
using Integers = pybind11::array_t<long long, pybind11::array::c_style | pybind11::array::forcecast>;

// The object as a C-ordered float64 array. TypeError for anything but numbers (strings,
// objects, ragged lists).
Doubles AsDoubles(pybind11::handle object, const char* name);
// The object as an int64 array; TypeError unless its entries are integers.
Integers AsIntegers(pybind11::handle object, const char* name);

// ValueError unless the array's shape is `shape` (-1: any length there); `expected` spells it
// for the message, as "(m, 3, 3)".
void RequireShape(const pybind11::array& array, std::initializer_list<pybind11::ssize_t> shape, const char* name,
                  const char* expected);

// The index of the first entry that is NaN or infinite, or -1.
pybind11::ssize_t FirstNonFinite(const double* values, pybind11::ssize_t count);

// A placement (R, t): a pair of a (3, 3) and a (3,) array. TypeError for anything but a pair,
// ValueError for other shapes or a coordinate that is not finite.
void ReadPose(pybind11::handle pose, const char* name, double R[3][3], double T[3]);

}  // namespace quorvel_python
