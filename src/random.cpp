#include "random.h"

#include <random>

namespace {
std::mt19937& Generator() {
  static std::mt19937 generator(1u);
  return generator;
}
}  // namespace

void SeedRandom(unsigned seed) { Generator().seed(seed); }

// The top 15 bits of a 32-bit draw: uniform over 0 .. 32767.
int RandomInt() { return static_cast<int>(Generator()() >> 17); }
