#pragma once
// The vector types of the walk with the single-precision box test, which is compiled with AVX2
// only (avx2-walk.cpp): a float lane pair F8 is one 32-byte register, a double row D4 one
// too. Written with the GCC/Clang vector extension; every lane is computed as the same scalar
// operation on that lane.
//
// Everything is in an unnamed namespace: the walk's translation units must never share a function
// with the rest of the library, which is compiled for the baseline (see walk-paths.h).

#ifndef __AVX__
#error "vector-lanes.h is for the AVX2 translation unit only (avx2-walk.cpp)"
#endif

#include <immintrin.h>

namespace {

typedef double D4 __attribute__((vector_size(32)));  // a 3-vector of doubles and a padding lane
typedef float F4 __attribute__((vector_size(16)));   // a 3-vector of floats and a padding lane
// Two float 3-vectors side by side, one per child of a node: lanes 0-2 the first child's x, y,
// z, lane 3 padding, lanes 4-6 the second child's, lane 7 padding. I8 is a comparison's answer
// per lane (all bits set where true).
typedef float F8 __attribute__((vector_size(32)));
typedef int I8 __attribute__((vector_size(32)));

inline D4 Splat(double x) { return D4{x, x, x, x}; }
inline F8 Splat(float x) { return F8{x, x, x, x, x, x, x, x}; }

// (v[0], v[1], v[2], v[2]): nothing reads the padding lane, and repeating z there keeps it an
// ordinary number, which the processor handles at full speed.
inline D4 Load3(const double v[3]) { return D4{v[0], v[1], v[2], v[2]}; }

inline F8 Abs(F8 x) {
  const I8 magnitude = ~(I8{} + (1 << 31));
  return reinterpret_cast<F8>(reinterpret_cast<I8>(x) & magnitude);
}

inline F8 Concat(F4 first, F4 second) {
  return _mm256_insertf128_ps(_mm256_castps128_ps256(first), second, 1);
}

// Both children's 3-vectors in one lane pair: x from the first child, y from the second.
inline F8 Join(D4 x, D4 y) {
  return Concat(__builtin_convertvector(x, F4), __builtin_convertvector(y, F4));
}

// Shuffle<i, j, k, l> gives each child's lanes (x_i, x_j, x_k, x_l) of its own 3-vector; with a
// second operand y, indices 4-7 pick y's lanes 0-3.
template <int i, int j, int k, int l>
inline F8 Shuffle(F8 x) {
  return __builtin_shufflevector(x, x, i, j, k, l, i + 4, j + 4, k + 4, l + 4);
}

template <int i, int j, int k, int l>
inline F8 Shuffle(F8 x, F8 y) {
  // Lane n of y is lane 8 + n of the pair (x, y); each child keeps to its own half.
  constexpr int I = i < 4 ? i : i + 4, J = j < 4 ? j : j + 4, K = k < 4 ? k : k + 4,
                L = l < 4 ? l : l + 4;
  return __builtin_shufflevector(x, y, I, J, K, L, I + 4, J + 4, K + 4, L + 4);
}

// One bit per lane (bit n for lane n) of a comparison's answer.
inline int LaneBits(I8 m) { return __builtin_ia32_movmskps256(reinterpret_cast<F8>(m)); }

// Component k of each child's 3-vector, repeated over that child's lanes.
template <int k>
inline F8 Component(F8 v) {
  return Shuffle<k, k, k, k>(v);
}

// Each child's (x, y, z) turned to (y, z, x) and to (z, x, y): lane j takes component j+1,
// respectively j+2, modulo 3.
inline F8 Next(F8 v) { return Shuffle<1, 2, 0, 3>(v); }
inline F8 Previous(F8 v) { return Shuffle<2, 0, 1, 3>(v); }

// Lane j of the result: w_j plus the sum of the three components of row j of each child's 3x3
// matrix with rows p0, p1, p2, added as (x + y) + (z + w). The rows' padding lanes are not read.
inline F8 RowSums(F8 p0, F8 p1, F8 p2, F8 w) {
  const F8 zero = {};
  const F8 xy01 = Shuffle<0, 4, 1, 5>(p0, p1);  // p0x p1x p0y p1y
  const F8 z01 = Shuffle<2, 6, 3, 7>(p0, p1);   // p0z p1z p0w p1w
  const F8 xy2 = Shuffle<0, 4, 1, 5>(p2, zero);  // p2x 0 p2y 0
  const F8 z2 = Shuffle<2, 6, 3, 7>(p2, zero);   // p2z 0 p2w 0
  const F8 x = Shuffle<0, 1, 4, 5>(xy01, xy2);
  const F8 y = Shuffle<2, 3, 6, 7>(xy01, xy2);
  const F8 z = Shuffle<0, 1, 4, 5>(z01, z2);
  return (x + y) + (z + w);
}

}  // namespace
