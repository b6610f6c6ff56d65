#include "traversal-paths.h"

namespace {

const TraversalPath* g_forced = nullptr;

}  // namespace

#ifdef QUORVEL_AVX2_PATH
extern const TraversalPath kAvx2Path;  // traversal-avx2.cpp

const TraversalPath* Avx2Path() {
  static const bool has_avx2 = __builtin_cpu_supports("avx2");
  return has_avx2 ? &kAvx2Path : nullptr;
}
#else
const TraversalPath* Avx2Path() { return nullptr; }
#endif

const TraversalPath& ChosenPath() {
  if (g_forced != nullptr) return *g_forced;
  static const TraversalPath* best = Avx2Path() != nullptr ? Avx2Path() : &BaselinePath();
  return *best;
}

void UseTraversalPath(const TraversalPath* path) { g_forced = path; }
