#pragma once
// The vector types of the traversal, written with the GCC/Clang vector extension (the library
// needs one of those two compilers). The same source is compiled twice, once for baseline x86-64
// and once with AVX2 (traversal-baseline.cpp, traversal-avx2.cpp). With AVX a float lane pair F8
// is one 32-byte register; without it, two 16-byte halves F4 that the box test works one after
// the other (SSE2 registers on x86-64; on other processors the compiler maps them onto what the
// target has, down to plain scalar code). Every lane is computed as the same scalar operation on
// that lane, so the results do not depend on which of these the compiler chose.
//
// Everything is in an unnamed namespace: the traversal's translation units include it once each,
// compiled for different instruction sets, and must never share a function (see traversal.h).

#ifdef __AVX__
#include <immintrin.h>
#endif

// 32-byte vectors crossing a call change the calling convention between the baseline and AVX
// builds. Here they never cross one outside the translation unit (everything is internal), so
// the compiler's notice about that is silenced.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

typedef double D4 __attribute__((vector_size(32)));  // a 3-vector of doubles and a padding lane
typedef float F4 __attribute__((vector_size(16)));   // a 3-vector of floats and a padding lane
typedef int I4 __attribute__((vector_size(16)));     // a comparison's answer per lane

inline D4 Splat(double x) { return D4{x, x, x, x}; }

// (v[0], v[1], v[2], v[2]): nothing reads the padding lane, and repeating z there keeps it an
// ordinary number, which the processor handles at full speed.
inline D4 Load3(const double v[3]) { return D4{v[0], v[1], v[2], v[2]}; }

// The operations of the box test, on F4 (one child) and, with AVX, on F8 (both children).
// Shuffle<i, j, k, l> gives each child's lanes (x_i, x_j, x_k, x_l) of its own 3-vector; with a
// second operand y, indices 4-7 pick y's lanes 0-3.

template <class V>
V Broadcast(float x);

template <>
inline F4 Broadcast<F4>(float x) {
  return F4{x, x, x, x};
}

inline F4 Abs(F4 x) {
  const I4 magnitude = ~(I4{} + (1 << 31));
  return reinterpret_cast<F4>(reinterpret_cast<I4>(x) & magnitude);
}

template <int i, int j, int k, int l>
inline F4 Shuffle(F4 x) {
  return __builtin_shufflevector(x, x, i, j, k, l);
}

template <int i, int j, int k, int l>
inline F4 Shuffle(F4 x, F4 y) {
  return __builtin_shufflevector(x, y, i, j, k, l);
}

// One bit per lane (bit n for lane n) of a comparison's answer.
inline int LaneBits(I4 m) {
#ifdef __SSE__
  return __builtin_ia32_movmskps(reinterpret_cast<F4>(m));
#else
  return (m[0] != 0) | (m[1] != 0) << 1 | (m[2] != 0) << 2 | (m[3] != 0) << 3;
#endif
}

// Two float 3-vectors side by side, one per child of a node: lanes 0-2 the first child's x, y,
// z, lane 3 padding, lanes 4-6 the second child's, lane 7 padding.
#ifdef __AVX__

typedef float F8 __attribute__((vector_size(32)));
typedef int I8 __attribute__((vector_size(32)));

template <>
inline F8 Broadcast<F8>(float x) {
  return F8{x, x, x, x, x, x, x, x};
}

inline F8 Abs(F8 x) {
  const I8 magnitude = ~(I8{} + (1 << 31));
  return reinterpret_cast<F8>(reinterpret_cast<I8>(x) & magnitude);
}

inline F8 Concat(F4 first, F4 second) {
  return _mm256_insertf128_ps(_mm256_castps128_ps256(first), second, 1);
}

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

inline int LaneBits(I8 m) { return __builtin_ia32_movmskps256(reinterpret_cast<F8>(m)); }

#else

struct F8 {
  F4 lo, hi;
};

template <>
inline F8 Broadcast<F8>(float x) {
  return {Broadcast<F4>(x), Broadcast<F4>(x)};
}

inline F8 Concat(F4 first, F4 second) { return {first, second}; }

template <int i, int j, int k, int l>
inline F8 Shuffle(F8 x) {
  return {Shuffle<i, j, k, l>(x.lo), Shuffle<i, j, k, l>(x.hi)};
}

#endif

// Both children's 3-vectors in one lane pair: x from the first child, y from the second.
inline F8 Join(D4 x, D4 y) {
  return Concat(__builtin_convertvector(x, F4), __builtin_convertvector(y, F4));
}

// Component k of each child's 3-vector, repeated over that child's lanes.
template <int k, class V>
inline V Component(V v) {
  return Shuffle<k, k, k, k>(v);
}

// Each child's (x, y, z) turned to (y, z, x) and to (z, x, y): lane j takes component j+1,
// respectively j+2, modulo 3.
template <class V>
inline V Next(V v) {
  return Shuffle<1, 2, 0, 3>(v);
}
template <class V>
inline V Previous(V v) {
  return Shuffle<2, 0, 1, 3>(v);
}

// Lane j of the result: w_j plus the sum of the three components of row j of each child's 3x3
// matrix with rows p0, p1, p2, added as (x + y) + (z + w). The rows' padding lanes are not read.
template <class V>
inline V RowSums(V p0, V p1, V p2, V w) {
  const V zero = Broadcast<V>(0.0f);
  const V xy01 = Shuffle<0, 4, 1, 5>(p0, p1);  // p0x p1x p0y p1y
  const V z01 = Shuffle<2, 6, 3, 7>(p0, p1);   // p0z p1z p0w p1w
  const V xy2 = Shuffle<0, 4, 1, 5>(p2, zero);  // p2x 0 p2y 0
  const V z2 = Shuffle<2, 6, 3, 7>(p2, zero);   // p2z 0 p2w 0
  const V x = Shuffle<0, 1, 4, 5>(xy01, xy2);
  const V y = Shuffle<2, 3, 6, 7>(xy01, xy2);
  const V z = Shuffle<0, 1, 4, 5>(z01, z2);
  return (x + y) + (z + w);
}

}  // namespace
