// The tree walk compiled for the processor's baseline instruction set (SSE2 on x86-64).
#include "traversal.h"
#include "traversal-paths.h"

const TraversalPath& BaselinePath() {
  static const TraversalPath path = {"baseline", Walk, Classify};
  return path;
}
