#include "inspect/figure-scale.h"

#include <algorithm>
#include <cmath>

#include "rb-system.h"

namespace {
// Single-precision sums of ten bodies round by a few parts in a million of their size.
constexpr double kRoundingShare = 1e-5;
}  // namespace

FigureScale ShotScale(const RBSystem& bodies) {
  FigureScale scale;
  if (bodies.BodyCount() == 0) return scale;
  const double mass = bodies.Body(0)->mass;
  const double speed = RBSystem::kShotSpeed;
  scale.energy = 0.5 * mass * speed * speed;
  scale.momentum = mass * speed;
  return scale;
}

float PlotTop(float highest, float floor) { return std::max(1.1f * highest, floor); }

double ShownFigure(double value, double scale) {
  return std::fabs(value) <= kRoundingShare * scale ? 0.0 : value;
}
