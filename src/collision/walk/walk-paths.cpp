#include "walk/walk-paths.h"

namespace {

const WalkPath* g_forced = nullptr;

}  // namespace

#ifdef QUORVEL_AVX2_PATH
extern const WalkPath kAvx2Path;  // avx2-walk.cpp

const WalkPath* Avx2Path() {
  static const bool has_avx2 = __builtin_cpu_supports("avx2");
  return has_avx2 ? &kAvx2Path : nullptr;
}
#else
const WalkPath* Avx2Path() { return nullptr; }
#endif

const WalkPath& ChosenPath() {
  if (g_forced != nullptr) return *g_forced;
  static const WalkPath* best = Avx2Path() != nullptr ? Avx2Path() : &BaselinePath();
  return *best;
}

void UseWalkPath(const WalkPath* path) { g_forced = path; }
