#pragma once
// A growable array of floats: the state and derivative vectors of the ODE solvers.
// Storage is zero-filled and grows in whole chunks; the defaults (100 elements, chunks of 100)
// apply when a size or chunk of 0 is asked for.

#include <cstdint>

class DArrayFloat {
 public:
  explicit DArrayFloat(uint32_t n = 0, int32_t c = 0);
  ~DArrayFloat();
  DArrayFloat(const DArrayFloat&) = delete;
  DArrayFloat& operator=(const DArrayFloat&) = delete;

  // Growing access: an index at or past the size first grows the array (by whole chunks) so
  // that it is valid; new elements read 0.
  float& operator[](uint32_t i) {
    if (i >= size) Grow(i);
    return data[i];
  }

  // Asserting access: an index at or past the size stops the program with "idx < size".
  float At(uint32_t idx) const;

  uint32_t Size() const { return size; }
  int32_t Chunk() const { return chunk; }

 private:
  void Grow(uint32_t i);

  uint32_t size;
  int32_t chunk;
  float* data;
};
