// The tree walk for the processor's baseline instruction set (SSE2 on x86-64), and for every
// processor without the AVX2 one: the double test, two children side by side.
#include "double-test-walk.h"
#include "traversal-paths.h"

const TraversalPath& BaselinePath() {
  static const TraversalPath path = {"baseline", Walk, Classify};
  return path;
}
