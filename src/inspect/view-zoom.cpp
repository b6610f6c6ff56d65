#include "inspect/view-zoom.h"

#include <algorithm>

float ZoomViewDistance(float distance, int notches) {
  for (; notches > 0; --notches) distance *= kZoomPerNotch;
  for (; notches < 0; ++notches) distance /= kZoomPerNotch;
  return std::clamp(distance, kNearestViewDistance, kFarthestViewDistance);
}
