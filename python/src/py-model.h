#pragma once
// quorvel.Model: a built collision model, shared (read-only) by every query that uses it.

#include <pybind11/pybind11.h>

#include <memory>

#include "collision/cq-model.h"

namespace quorvel_python {

struct PyModel {
  std::shared_ptr<const CQ_Model> model;  // built; never changed after
};

void BindModel(pybind11::module_& m);

}  // namespace quorvel_python
