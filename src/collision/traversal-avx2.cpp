// The tree walk with the single-precision box test, compiled with AVX2 (the build gives this file
// -mavx2 and no fused multiply-add, which would round the placements differently). Nothing here
// may run before the processor is known to have AVX2: the choice is made in traversal-paths.cpp,
// compiled for the baseline.
#include "float-test-walk.h"
#include "traversal-paths.h"

extern const TraversalPath kAvx2Path;
const TraversalPath kAvx2Path = {"avx2", Walk, Classify};
