// The Python module quorvel's native part, quorvel._quorvel: a binding only, translating NumPy
// arrays to the library's arrays and its statuses to exceptions.
#include <pybind11/pybind11.h>

#include "py-collide.h"
#include "py-model.h"
#include "py-scene.h"

PYBIND11_MODULE(_quorvel, m) {
  m.doc() = "The native part of quorvel; use the package quorvel.";
  // Every docstring starts with its own Python signature; the generated C++ one names pybind11
  // types.
  pybind11::options options;
  options.disable_function_signatures();
  quorvel_python::BindModel(m);
  quorvel_python::BindCollide(m);
  quorvel_python::BindScene(m);
}
