#pragma once
#include <pybind11/pybind11.h>

namespace quorvel_python {

// collide, collide_many, triangles_touch and the CollideResult they return.
void BindCollide(pybind11::module_& m);

}  // namespace quorvel_python
