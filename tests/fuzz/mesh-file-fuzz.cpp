// Fuzz target: the mesh file reader on any text, and what the loaders derive from what it
// accepts. The reader must refuse or accept without a fault; what it accepts must be exactly
// 9n finite numbers for a count n that is the first token; every triangle of it must get a zero
// or finite unit face normal, and its collision model must build.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "collision/cq.h"
#include "face-normal.h"
#include "fuzz-input.h"
#include "tris-file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  std::vector<float> coords;
  int count = -1;
  std::string message;
  const TrisStatus status = ParseTris(in, coords, count, message);
  if (status != TrisStatus::Ok) {
    FUZZ_CHECK(!message.empty(), "a refusal without a message");
    return 0;
  }
  FUZZ_CHECK(count >= 0 && coords.size() == 9 * static_cast<size_t>(count), "count %d, %zu numbers", count,
             coords.size());
  // The count is the first token, digits with an optional '+'.
  std::istringstream first(text);
  std::string token;
  first >> token;
  const size_t digits = token[0] == '+' ? 1 : 0;
  FUZZ_CHECK(token.find_first_not_of("0123456789", digits) == std::string::npos &&
                 std::stoll(token.substr(digits)) == count,
             "count %d from the token '%s'", count, token.c_str());

  CQ_Model model;
  for (int i = 0; i < count; ++i) {
    const float* c = &coords[9 * static_cast<size_t>(i)];
    for (int k = 0; k < 9; ++k) FUZZ_CHECK(std::isfinite(c[k]), "triangle %d number %d not finite", i + 1, k + 1);
    const Vec3 a(c[0], c[1], c[2]), b(c[3], c[4], c[5]), d(c[6], c[7], c[8]);
    const Vec3 n = FaceNormal(a, b, d);
    const float square = Dot(n, n);
    // A triangle with area (its cross product in double is not zero) has a unit normal; one
    // without has none.
    const double e1[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    const double e2[3] = {double(d.x) - a.x, double(d.y) - a.y, double(d.z) - a.z};
    const bool area = e1[1] * e2[2] != e1[2] * e2[1] || e1[2] * e2[0] != e1[0] * e2[2] ||
                      e1[0] * e2[1] != e1[1] * e2[0];
    FUZZ_CHECK(area ? std::fabs(square - 1) < 2e-6f : square == 0 || std::fabs(square - 1) < 2e-6f,
               "triangle %d: normal of squared length %g", i + 1, square);
    const double p1[3] = {c[0], c[1], c[2]}, p2[3] = {c[3], c[4], c[5]}, p3[3] = {c[6], c[7], c[8]};
    FUZZ_CHECK(model.AddTri(p1, p2, p3, i) == StatusOk, "AddTri %d refused", i);
  }
  if (count > 0) {
    FUZZ_CHECK(model.EndModel() == StatusOk, "EndModel refused");
    FUZZ_CHECK(model.bv_count() == 2 * count - 1, "%d BVs for %d triangles", model.bv_count(), count);
  }
  return 0;
}
