#pragma once
// Two doubles worked on side by side, with the GCC/Clang vector extension: one SSE2 register on
// x86-64, and on other processors whatever the compiler makes of it (their vector registers, or
// scalar code where they have none). The baseline walk uses one lane per child of a node. Every
// operation acts on each lane exactly as the same operation on a double, so a lane's results are
// those of scalar code, bit for bit.
//
// Only the baseline walk includes it (baseline-walk.cpp), in its own translation unit.

namespace {

typedef double Pair __attribute__((vector_size(16)));
typedef long long PairMask __attribute__((vector_size(16)));  // a comparison: all ones if true

inline Pair Abs(Pair x) {
  const PairMask magnitude = {0x7fffffffffffffffLL, 0x7fffffffffffffffLL};
  return reinterpret_cast<Pair>(reinterpret_cast<PairMask>(x) & magnitude);
}

}  // namespace
