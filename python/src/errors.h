#pragma once
// The binding's one way of failing: a Python exception carrying the library's message. The
// library returns statuses; these turn them into exceptions at the edge.

#include <pybind11/pybind11.h>

#include <string>

namespace quorvel_python {

// Raises the exception type with the message (OSError, ValueError, TypeError, IndexError, ...).
[[noreturn]] inline void Raise(PyObject* type, const std::string& message) {
  PyErr_SetString(type, message.c_str());
  throw pybind11::error_already_set();
}

// A failed model build or mesh file load: StatusFileNotRead is an OSError, a malformed file or an
// empty model a ValueError, storage a MemoryError. `what` names the file or the input.
[[noreturn]] void RaiseForStatus(int status, const std::string& what, const std::string& message);

}  // namespace quorvel_python
