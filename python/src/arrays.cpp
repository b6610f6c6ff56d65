#include "arrays.h"

#include <cmath>
#include <cstring>

#include "errors.h"

namespace py = pybind11;

namespace quorvel_python {

namespace {

bool HoldsNumbers(const py::array& array) {
  const char kind = array.dtype().kind();
  return kind == 'b' || kind == 'i' || kind == 'u' || kind == 'f';
}

std::string ShapeText(const py::array& array) {
  std::string text = "(";
  for (py::ssize_t d = 0; d < array.ndim(); ++d) {
    if (d > 0) text += ", ";
    text += std::to_string(array.shape(d));
  }
  return text + (array.ndim() == 1 ? ",)" : ")");
}

// Numbers only: NumPy would also make arrays of strings or of Python objects.
py::array AsArray(py::handle object, const char* name) {
  // ensure() makes an array of what NumPy can read, and nothing of a ragged list.
  py::array array = py::array::ensure(object);
  if (!array || !HoldsNumbers(array)) Raise(PyExc_TypeError, std::string(name) + " must be an array of numbers");
  return array;
}

}  // namespace

Doubles AsDoubles(py::handle object, const char* name) {
  // A float64 C-ordered array is taken as it is, without a copy: the common case, and the fast one.
  if (Doubles::check_(object)) return py::reinterpret_borrow<Doubles>(object);
  return Doubles::ensure(AsArray(object, name));
}

Integers AsIntegers(py::handle object, const char* name) {
  py::array array = AsArray(object, name);
  const char kind = array.dtype().kind();
  if (kind != 'i' && kind != 'u') Raise(PyExc_TypeError, std::string(name) + " must hold integers");
  return Integers::ensure(array);
}

void RequireShape(const py::array& array, std::initializer_list<py::ssize_t> shape, const char* name,
                  const char* expected) {
  bool fits = array.ndim() == static_cast<py::ssize_t>(shape.size());
  py::ssize_t d = 0;
  for (py::ssize_t length : shape) {
    if (!fits) break;
    fits = length < 0 || array.shape(d) == length;
    ++d;
  }
  if (!fits)
    Raise(PyExc_ValueError, std::string(name) + " must have shape " + expected + ", not " + ShapeText(array));
}

py::ssize_t FirstNonFinite(const double* values, py::ssize_t count) {
  for (py::ssize_t i = 0; i < count; ++i)
    if (!std::isfinite(values[i])) return i;
  return -1;
}

void ReadPose(py::handle pose, const char* name, double R[3][3], double T[3]) {
  if (!(PyTuple_Check(pose.ptr()) || PyList_Check(pose.ptr())) || PySequence_Size(pose.ptr()) != 2)
    Raise(PyExc_TypeError, std::string(name) + " must be a pair (R, t)");
  py::object r_object = py::reinterpret_steal<py::object>(PySequence_GetItem(pose.ptr(), 0));
  py::object t_object = py::reinterpret_steal<py::object>(PySequence_GetItem(pose.ptr(), 1));
  const Doubles r = AsDoubles(r_object, name);
  const Doubles t = AsDoubles(t_object, name);
  RequireShape(r, {3, 3}, name, "(3, 3) for R");
  RequireShape(t, {3}, name, "(3,) for t");
  std::memcpy(R, r.data(), 9 * sizeof(double));
  std::memcpy(T, t.data(), 3 * sizeof(double));
  if (FirstNonFinite(&R[0][0], 9) >= 0 || FirstNonFinite(T, 3) >= 0)
    Raise(PyExc_ValueError, std::string(name) + " holds a coordinate that is not finite (NaN or infinity)");
}

}  // namespace quorvel_python
