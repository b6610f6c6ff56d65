#include "collide.h"

int CollideModels(CQ_CollideResult*, const double[3][3], const double[3], CQ_Model*,
                  const double[3][3], const double[3], CQ_Model*, int) {
  return StatusModelNotBuilt;
}
