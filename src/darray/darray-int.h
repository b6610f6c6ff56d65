#pragma once
// A growable array of 32-bit ints: a body's force indices. Same growth rules as DArrayFloat:
// zero-filled, whole chunks, 0 meaning the default of 100 for size and chunk.

#include <cstdint>

class DArrayInt {
 public:
  explicit DArrayInt(uint32_t n = 0, int32_t c = 0);
  ~DArrayInt();
  DArrayInt(const DArrayInt&) = delete;
  DArrayInt& operator=(const DArrayInt&) = delete;

  // Growing access: an index at or past the size first grows the array so that it is valid.
  int32_t& operator[](uint32_t i) {
    if (i >= size) Grow(i);
    return data[i];
  }

  uint32_t Size() const { return size; }
  int32_t Chunk() const { return chunk; }

 private:
  void Grow(uint32_t i);

  uint32_t size;
  int32_t chunk;
  int32_t* data;
};
