#pragma once
#include "collide-result.h"
#include "cq-model.h"
#include "status.h"

// Finds the intersecting triangle pairs of two built models, model1 placed in the world by
// (R1, T1) and model2 by (R2, T2): a model point p lies at R p + T. Pairs are reported first
// model's id first, each at most once; with flag StopAtFirstContact the search ends at the first
// pair, otherwise every pair is reported. Returns StatusModelNotBuilt, with result untouched,
// when either model is not built; StatusNonFinitePlacement, with a "CQ Error:" line and no pairs
// (num_pairs 0), when the relative placement of the two models is not finite (a NaN or an
// infinity in R1, T1, R2 or T2, or T2 - T1 overflowing); else StatusOk. The models are only read,
// so one built model may serve any number of bodies.
int CollideModels(CQ_CollideResult* result, const double R1[3][3], const double T1[3],
                  const CQ_Model* model1, const double R2[3][3], const double T2[3], const CQ_Model* model2,
                  int flag);
