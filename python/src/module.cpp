// The Python module quorvel's native part, quorvel._quorvel: a binding only, translating NumPy
// arrays to the library's arrays and its statuses to exceptions.
#include <pybind11/pybind11.h>

#include "py-collide.h"
#include "py-model.h"
#include "py-scene.h"

PYBIND11_MODULE(_quorvel, m) {
  m.doc() = "The native part of quorvel; use the package quorvel.";
  quorvel_python::BindModel(m);
  quorvel_python::BindCollide(m);
  quorvel_python::BindScene(m);
}
