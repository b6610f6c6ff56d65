#pragma once
#include <pybind11/pybind11.h>

namespace quorvel_python {

// quorvel.Scene: the scene the demo and the benchmark share, and the experiments' scenes.
void BindScene(pybind11::module_& m);

}  // namespace quorvel_python
