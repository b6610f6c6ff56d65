#include "base/assertion.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void AssertionStop(const char* condition, const char* file, int line) {
  // The build passes absolute paths; the file's own name is what a reader needs.
  const char* slash = std::strrchr(file, '/');
  const char* name = slash ? slash + 1 : file;
  std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", condition, name, line);
  std::fflush(stderr);
  std::abort();
}
