#pragma once
// A list of RigidBody pointers: a cell of the collision grid, the body-body pass's candidates. It
// does not own the bodies. It starts with room for 30 and grows beyond that: a body dropped from
// a cell or from the candidates would silently lose every pair through it, and a crowded box
// puts far more than 30 bodies into some cells. Clear keeps the storage, so a list allocates only
// while it grows to the most it has held.

#include <cstdint>
#include <vector>

#include "base/assertion.h"

class RigidBody;

class RBList {
 public:
  // Room for n bodies without allocating; n <= 0 means 30.
  explicit RBList(int32_t n = 0) { bodies_.reserve(static_cast<size_t>(n <= 0 ? 30 : n)); }

  // Stores the body at the end, in the order they came, duplicates included.
  void Append(RigidBody* body) { bodies_.push_back(body); }
  // Bodies below Count(); beyond it the program stops with "idx < size".
  RigidBody* Element(int32_t idx) const {
    const int32_t size = Count();
    QUORVEL_ASSERT(idx >= 0 && idx < size);
    return bodies_[static_cast<size_t>(idx)];
  }
  int32_t Count() const { return static_cast<int32_t>(bodies_.size()); }
  // Forgets the contents; the storage stays for the next use.
  void Clear() { bodies_.clear(); }
  // Room for n bodies, so that appending up to n allocates nothing.
  void Reserve(size_t n) { bodies_.reserve(n); }

  std::vector<RigidBody*>::const_iterator begin() const { return bodies_.begin(); }
  std::vector<RigidBody*>::const_iterator end() const { return bodies_.end(); }

 private:
  std::vector<RigidBody*> bodies_;
};
