#include "rb-list.h"

#include <new>

#include "base/assertion.h"

RBList::RBList(int32_t n) : count(0), size(n <= 0 ? 30 : n) {
  arrayPtr = new (std::nothrow) RigidBody*[size]();
  QUORVEL_ASSERT(arrayPtr != 0);
}

RBList::~RBList() { delete[] arrayPtr; }

RigidBody*& RBList::Element(int32_t idx) {
  // A negative index is as far outside the storage as one past the end.
  QUORVEL_ASSERT(idx < size);
  QUORVEL_ASSERT(idx >= 0);
  return arrayPtr[idx];
}
