#include "collide.h"

#include <chrono>
#include <cmath>
#include <ctime>

#include "matrix.h"
#include "walk/overlap.h"
#include "walk/placement-check.h"
#include "walk/walk-paths.h"

namespace {

// Wall clock in seconds, to the millisecond. Read twice per query, so it must cost next to
// nothing: where the system offers it, the coarse clock (a read of memory the kernel keeps
// current, a few milliseconds coarse at most); else the standard wall clock.
double WallSeconds() {
  long long ms;
#ifdef CLOCK_REALTIME_COARSE
  timespec now;
  clock_gettime(CLOCK_REALTIME_COARSE, &now);
  ms = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
#else
  ms = std::chrono::duration_cast<std::chrono::milliseconds>(
           std::chrono::system_clock::now().time_since_epoch())
           .count();
#endif
  return static_cast<double>(ms / 1000) + static_cast<double>(ms % 1000) / 1000.0;
}

bool IsBuilt(const CQ_Model* model) {
  // A built model whose lists were released by a failed BeginModel has no tree to walk.
  return model->IsBuilt() && model->bv_count() > 0;
}

}  // namespace

int CollideModels(CQ_CollideResult* result, const double R1[3][3], const double T1[3],
                  const CQ_Model* model1, const double R2[3][3], const double T2[3], const CQ_Model* model2,
                  int flag) {
  const double t0 = WallSeconds();
  if (!IsBuilt(model1) || !IsBuilt(model2)) return StatusModelNotBuilt;

  result->bv_test_count = 0;
  result->tri_test_count = 0;
  result->num_pairs = 0;

  // model2 in model1's coordinates: p -> rel_rotation p + rel_translation.
  double d[3];
  MatTransposeMul(result->rel_rotation, R1, R2);
  VecSub(d, T2, T1);
  MatTransposeVec(result->rel_translation, R1, d);
  if (!RelativePlacementIsFinite(result->rel_rotation, result->rel_translation))
    return StatusNonFinitePlacement;

  // The roots' rotation and box centre are in model coordinates: place root 2's box frame in
  // root 1's box frame.
  const BV& B1 = model1->bv_list()[0];
  const BV& B2 = model2->bv_list()[0];
  double R[3][3], T[3], c2[3];
  MatMul(R, result->rel_rotation, B2.rotation);
  MatTransposeMul(R, B1.rotation, R);
  MatVecAdd(c2, result->rel_rotation, B2.box_center, result->rel_translation);
  VecSub(d, c2, B1.box_center);
  MatTransposeVec(T, B1.rotation, d);

  result->bv_test_count++;
  if (!BoxesDisjoint(R, T, B1.half_extents, B2.half_extents))
    ChosenPath().walk(result, model1, model2, flag, R, T);

  result->query_seconds = WallSeconds() - t0;
  return StatusOk;
}
