#pragma once
// A growable array of one element type: zero-filled storage that grows in whole chunks. The
// defaults (100 elements, chunks of 100) apply when a size or chunk of 0 is asked for; storage
// that cannot be had stops the program through the assertion. DArrayFloat and DArrayInt are
// its two instances.

#include <cstdint>

#include "darray/chunked-storage.h"

template <typename T>
class DArray {
 public:
  explicit DArray(uint32_t n = 0, int32_t c = 0)
      : size(n == 0 ? chunked::kDefaultSize : n),
        chunk(c == 0 ? chunked::kDefaultChunk : c),
        data(chunked::AllocateZeroed<T>(size)) {}
  ~DArray() { delete[] data; }
  DArray(const DArray&) = delete;
  DArray& operator=(const DArray&) = delete;

  // Growing access: an index at or past the size first grows the array (by whole chunks) so
  // that it is valid; new elements read 0.
  T& operator[](uint32_t i) {
    if (i >= size) chunked::Grow(data, size, chunk, i);
    return data[i];
  }

  // Asserting access: an index at or past the size stops the program with "idx < size".
  T At(uint32_t idx) const {
    QUORVEL_ASSERT(idx < size);
    return data[idx];
  }

  uint32_t Size() const { return size; }
  int32_t Chunk() const { return chunk; }

 private:
  uint32_t size;
  int32_t chunk;
  T* data;
};
