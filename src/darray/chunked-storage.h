#pragma once
// The storage rules the two growable arrays share: defaults, zero-filled allocation that stops
// the program when memory cannot be had, and growth by whole chunks.

#include <cstdint>
#include <cstring>
#include <new>

#include "base/assertion.h"

namespace chunked {

constexpr uint32_t kDefaultSize = 100;
constexpr int32_t kDefaultChunk = 100;

// The smallest size that grows `size` by whole chunks and makes index i valid (i >= size).
inline uint32_t GrownSize(uint32_t size, int32_t chunk, uint32_t i) {
  QUORVEL_ASSERT(chunk > 0);
  uint64_t k = 1;
  while (size + k * static_cast<uint64_t>(chunk) <= i) ++k;
  const uint64_t grown = size + k * static_cast<uint64_t>(chunk);
  QUORVEL_ASSERT(grown <= UINT32_MAX);
  return static_cast<uint32_t>(grown);
}

template <typename T>
T* AllocateZeroed(uint32_t n) {
  T* data = new (std::nothrow) T[n];
  QUORVEL_ASSERT(data != nullptr);
  std::memset(data, 0, sizeof(T) * n);
  return data;
}

// Replaces `data` of `size` elements by zero-extended storage for index i.
template <typename T>
void Grow(T*& data, uint32_t& size, int32_t chunk, uint32_t i) {
  const uint32_t grown = GrownSize(size, chunk, i);
  T* fresh = AllocateZeroed<T>(grown);
  std::memcpy(fresh, data, sizeof(T) * size);
  delete[] data;
  data = fresh;
  size = grown;
}

}  // namespace chunked
