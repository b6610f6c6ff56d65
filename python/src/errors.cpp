#include "errors.h"

#include "collision/status.h"

namespace quorvel_python {

void RaiseForStatus(int status, const std::string& what, const std::string& message) {
  const std::string text = what + ": " + message;
  switch (status) {
    case StatusFileNotRead: Raise(PyExc_OSError, text);
    case StatusOutOfMemory: Raise(PyExc_MemoryError, text);
    default: Raise(PyExc_ValueError, text);
  }
}

}  // namespace quorvel_python
