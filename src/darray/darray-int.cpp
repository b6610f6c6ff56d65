#include "darray/darray-int.h"

#include "darray/chunked-storage.h"

DArrayInt::DArrayInt(uint32_t n, int32_t c)
    : size(n == 0 ? chunked::kDefaultSize : n),
      chunk(c == 0 ? chunked::kDefaultChunk : c),
      data(chunked::AllocateZeroed<int32_t>(size)) {}

DArrayInt::~DArrayInt() { delete[] data; }

void DArrayInt::Grow(uint32_t i) { chunked::Grow(data, size, chunk, i); }
