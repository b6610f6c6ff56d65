#include "darray/darray-float.h"

#include "darray/chunked-storage.h"

DArrayFloat::DArrayFloat(uint32_t n, int32_t c)
    : size(n == 0 ? chunked::kDefaultSize : n),
      chunk(c == 0 ? chunked::kDefaultChunk : c),
      data(chunked::AllocateZeroed<float>(size)) {}

DArrayFloat::~DArrayFloat() { delete[] data; }

float DArrayFloat::At(uint32_t idx) const {
  QUORVEL_ASSERT(idx < size);
  return data[idx];
}

void DArrayFloat::Grow(uint32_t i) { chunked::Grow(data, size, chunk, i); }
