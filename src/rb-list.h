#pragma once
// A fixed-capacity list of RigidBody pointers (a grid cell, the body-body pass's candidates).
// It does not own the bodies. Appending to a full list is silently dropped.

#include <cstdint>

class RigidBody;

class RBList {
 public:
  // n <= 0 means 30 slots. All slots start null.
  explicit RBList(int32_t n = 0);
  ~RBList();
  RBList(const RBList&) = delete;
  RBList& operator=(const RBList&) = delete;

  // Stores the body at the end when there is room; otherwise nothing happens.
  void Append(RigidBody* body) {
    if (count < size) arrayPtr[count++] = body;
  }

  // Any slot below the capacity, used or not; beyond it the program stops with "idx < size".
  RigidBody*& Element(int32_t idx);

  int32_t Count() const { return count; }
  int32_t Size() const { return size; }

  // Forgets the contents; the slots keep their old values and their storage.
  void Clear() { count = 0; }

 private:
  int32_t count;
  int32_t size;
  RigidBody** arrayPtr;
};
