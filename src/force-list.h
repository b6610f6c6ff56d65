#pragma once
// The growable list that owns every Force of the program. Bodies refer to forces by their index
// in it. The list grows by whole chunks (default 100, as is the default size).

#include <cstdint>

#include "force.h"

class ForceList {
 public:
  // n = 0 means 100 slots, c = 0 a chunk of 100. All slots start null.
  explicit ForceList(int32_t n = 0, int32_t c = 0);
  // Destroys every force it holds, once.
  ~ForceList();
  ForceList(const ForceList&) = delete;
  ForceList& operator=(const ForceList&) = delete;

  // Takes ownership of the force and returns the new count: the force's index is that minus 1.
  int32_t Append(Force* force);

  // Any slot below the size; beyond it the program stops with "idx < size".
  Force*& Element(int32_t idx);

  int32_t Count() const { return count; }
  int32_t Size() const { return size; }

 private:
  void Grow(int32_t m);

  int32_t count;
  int32_t size;
  int32_t chunk;
  Force** arrayPtr;
};
