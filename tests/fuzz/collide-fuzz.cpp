// Fuzz target: the collision model build and the query, driven by the input as a short program
// over two models. Steps: begin a model, add a triangle (coordinates small, fractional, extreme,
// raw bit patterns or repeated, so that points, segments and coplanar pairs are common), add a
// small sphere, end a model, or query (placements exact, rotated, extreme or raw, any flag).
//
// Every query with rotations, on models placed within 2^500 in size, is checked against the
// plain answer: TrianglesContact over every pair of the two models' triangles, placed exactly as
// the query places them. The query must report exactly those pairs, each once (with
// StopAtFirstContact: one of them, if there is one), but for pairs that touch or part only within
// rounding. A model that is not built must be refused with the result untouched, a placement
// that is not finite with no pairs, a vertex that is not finite by AddTri; every other step must
// give the status its state calls for.
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "collision/cq.h"
#include "collision/matrix.h"
#include "collision/walk/overlap.h"
#include "collision/test-meshes.h"
#include "fuzz-input.h"

namespace {

// Enough for every kind of tree, few enough for the all-pairs answer to stay quick.
constexpr int kMostTriangles = 48;

const double kExtremes[] = {0,       1,        -1,       0.5,     1e-300,  -1e-300, 1e300,    -1e300,
                            DBL_MAX, -DBL_MAX, DBL_MIN,  5e-324,  1e20,    -1e20,   1e154,    1e-154,
                            HUGE_VAL, -HUGE_VAL, NAN,    3,       -3,      1e8,     0.1,      -0.1};
constexpr int kExtremeCount = sizeof kExtremes / sizeof kExtremes[0];

struct Models {
  CQ_Model model[2];
  int added[2] = {0, 0};  // AddTri calls since the model was last begun, the next id
};

double Extreme(FuzzInput& in) { return kExtremes[in.Byte() % kExtremeCount]; }

void Coordinates(FuzzInput& in, int mode, double p[3], const double* previous) {
  for (int i = 0; i < 3; i++) {
    switch (mode) {
      case 0: p[i] = in.SignedByte() % 5; break;                       // -4 .. 4: many coincidences
      case 1: p[i] = in.Int16() / 256.0; break;                        // exact fractions
      case 2: p[i] = in.RawDouble(); break;                            // any bit pattern
      case 3: p[i] = Extreme(in); break;                               // the edges of the range
      case 4: p[i] = std::ldexp(in.SignedByte() % 5, in.Int16() % 1100); break;  // tiny to huge
      default: p[i] = previous ? previous[i] : 0; break;               // a repeated vertex
    }
  }
}

void AddTriangle(FuzzInput& in, Models& models) {
  const int m = in.Byte() & 1;
  double v[3][3];
  for (int k = 0; k < 3; k++) Coordinates(in, in.Byte() % 6, v[k], k > 0 ? v[k - 1] : nullptr);
  // A third vertex on the line of the first two makes a segment.
  if (in.Byte() % 4 == 0) {
    const int t = in.SignedByte() % 4;
    for (int i = 0; i < 3; i++) v[2][i] = v[0][i] + t * (v[1][i] - v[0][i]);
  }
  if (models.added[m] >= kMostTriangles && !models.model[m].IsBuilt()) return;
  const int status = models.model[m].AddTri(v[0], v[1], v[2], models.added[m]);
  bool finite = true;
  for (int k = 0; k < 3; k++)
    for (int i = 0; i < 3; i++) finite = finite && std::isfinite(v[k][i]);
  FUZZ_CHECK(status == (!finite ? StatusNonFiniteVertex : models.model[m].IsBuilt() ? StatusOutOfSequence : StatusOk),
             "AddTri status %d", status);
  if (status == StatusOk) models.added[m]++;
}

void AddSphere(FuzzInput& in, Models& models) {
  const int m = in.Byte() & 1;
  const double radius = (in.Byte() % 16 + 1) / 4.0;
  double centre[3];
  Coordinates(in, in.Byte() % 2, centre, nullptr);
  for (const auto& t : test_meshes::Icosphere(0, radius)) {
    if (models.added[m] >= kMostTriangles) return;
    double v[3][3];
    for (int k = 0; k < 3; k++)
      for (int i = 0; i < 3; i++) v[k][i] = t.v[k][i] + centre[i];
    if (models.model[m].AddTri(v[0], v[1], v[2], models.added[m]) != StatusOk) return;
    models.added[m]++;
  }
}

void Placement(FuzzInput& in, double R[3][3], double T[3]) {
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) R[i][j] = i == j;
  const int mode = in.Byte() % 6;
  if (mode == 1 || mode == 4) {  // a rotation from a quaternion
    double q[4], len = 0;
    for (double& c : q) {
      c = in.SignedByte();
      len += c * c;
    }
    if (len > 0) {
      len = std::sqrt(len);
      const double s = q[0] / len, x = q[1] / len, y = q[2] / len, z = q[3] / len;
      const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - s * z), 2 * (x * z + s * y)},
                              {2 * (x * y + s * z), 1 - 2 * (x * x + z * z), 2 * (y * z - s * x)},
                              {2 * (x * z - s * y), 2 * (y * z + s * x), 1 - 2 * (x * x + y * y)}};
      for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++) R[i][j] = r[i][j];
    }
  }
  if (mode == 5) {  // a quarter or half turn: exact
    const int axis = in.Byte() % 3, turns = in.Byte() % 4;
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    const double c = turns == 0 ? 1 : turns == 2 ? -1 : 0, s = turns == 1 ? 1 : turns == 3 ? -1 : 0;
    R[a][a] = c, R[a][b] = -s, R[b][a] = s, R[b][b] = c;
  }
  for (int i = 0; i < 3; i++) T[i] = mode == 3 ? Extreme(in) : mode == 2 ? in.RawDouble() : in.Int16() / 256.0;
  if (mode == 2)
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) R[i][j] = in.RawDouble();
  if (mode == 4) R[in.Byte() % 3][in.Byte() % 3] = Extreme(in);
}

bool Built(const CQ_Model& model) { return model.IsBuilt() && model.bv_count() > 0; }

bool Finite(const double R[3][3], const double T[3]) {
  for (int i = 0; i < 3; i++) {
    if (!std::isfinite(T[i])) return false;
    for (int j = 0; j < 3; j++)
      if (!std::isfinite(R[i][j])) return false;
  }
  return true;
}

// The query's contract is a rotation: finite matrices that are not orthonormal (raw bit
// patterns, or an entry replaced) place no box as the traversal assumes, so their answers are
// not compared.
bool IsRotation(const double R[3][3]) {
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      const double dot = R[0][i] * R[0][j] + R[1][i] * R[1][j] + R[2][i] * R[2][j];
      if (!(std::fabs(dot - (i == j ? 1 : 0)) <= 1e-9)) return false;
    }
  return true;
}

// The two models' triangles by id, the second's placed by the query's relative placement exactly
// as the query places them: the plain answer's view.
struct Placed {
  std::vector<const ModelTri*> first;
  std::vector<std::array<double, 9>> second;
  double size = 0;  // the largest coordinate of either model, placed

  Placed(const CQ_Model& m1, const CQ_Model& m2, const CQ_CollideResult& r)
      : first(m1.tri_count()), second(m2.tri_count()) {
    // The ids are 0 .. n - 1 in the order added, whatever order the build left.
    for (int i = 0; i < m1.tri_count(); i++) {
      FUZZ_CHECK(m1.tri_list()[i].id >= 0 && m1.tri_list()[i].id < m1.tri_count(), "id %d", m1.tri_list()[i].id);
      first[m1.tri_list()[i].id] = &m1.tri_list()[i];
    }
    for (int j = 0; j < m2.tri_count(); j++) {
      const ModelTri& t = m2.tri_list()[j];
      FUZZ_CHECK(t.id >= 0 && t.id < m2.tri_count(), "id %d", t.id);
      double* q = second[t.id].data();
      MatVecAdd(q, r.rel_rotation, t.vert1, r.rel_translation);
      MatVecAdd(q + 3, r.rel_rotation, t.vert2, r.rel_translation);
      MatVecAdd(q + 6, r.rel_rotation, t.vert3, r.rel_translation);
      for (int k = 0; k < 9; k++) size = std::max(size, std::fabs(q[k]));
    }
    for (int i = 0; i < m1.tri_count(); i++)
      for (int k = 0; k < 3; k++)
        size = std::max({size, std::fabs(m1.tri_list()[i].vert1[k]), std::fabs(m1.tri_list()[i].vert2[k]),
                         std::fabs(m1.tri_list()[i].vert3[k])});
  }

  bool Touch(int a, int b, const double shift[3] = nullptr) const {
    const ModelTri& t = *first[a];
    double q[9];
    for (int k = 0; k < 9; k++) q[k] = second[b][k] + (shift ? shift[k % 3] : 0);
    return TrianglesContact(t.vert1, t.vert2, t.vert3, q, q + 3, q + 6);
  }

  // Touching or not only within rounding: moving the second triangle by a billionth of the size
  // of the placed models, in one of the six axis directions, changes the answer. The tree places
  // its boxes through products rounded at the models' size, so a pair that touches or parts by
  // less (or is that small itself) may be answered either way.
  bool Borderline(int a, int b) const {
    const bool touch = Touch(a, b);
    for (int d = 0; d < 6; d++) {
      double shift[3] = {0, 0, 0};
      shift[d / 2] = (d % 2 ? -1e-9 : 1e-9) * size;
      if (Touch(a, b, shift) != touch) return true;
    }
    return false;
  }
};

// Every pair of ids (first model's, second model's) whose triangles touch, in order.
std::vector<std::pair<int, int>> AllPairs(const Placed& placed) {
  std::vector<std::pair<int, int>> pairs;
  for (size_t a = 0; a < placed.first.size(); a++)
    for (size_t b = 0; b < placed.second.size(); b++)
      if (placed.Touch(static_cast<int>(a), static_cast<int>(b))) pairs.push_back({int(a), int(b)});
  return pairs;
}

void Query(FuzzInput& in, Models& models, CQ_CollideResult& result) {
  const int flag = in.Byte() % 3;
  const int first = in.Byte() & 1, second = in.Byte() & 1;
  double R1[3][3], T1[3], R2[3][3], T2[3];
  Placement(in, R1, T1);
  Placement(in, R2, T2);
  const CQ_Model& m1 = models.model[first];
  const CQ_Model& m2 = models.model[second];
  const int pairs_before = result.num_pairs;

  const int status = CollideModels(&result, R1, T1, &m1, R2, T2, &m2, flag);
  if (!Built(m1) || !Built(m2)) {
    FUZZ_CHECK(status == StatusModelNotBuilt, "status %d for a model not built", status);
    FUZZ_CHECK(result.num_pairs == pairs_before, "a refused query changed the result");
    return;
  }
  if (!Finite(R1, T1) || !Finite(R2, T2) || !Finite(result.rel_rotation, result.rel_translation)) {
    FUZZ_CHECK(status == StatusNonFinitePlacement, "status %d for a placement not finite", status);
    FUZZ_CHECK(result.num_pairs == 0, "%d pairs for a placement not finite", result.num_pairs);
    return;
  }
  FUZZ_CHECK(status == StatusOk, "status %d for a sound query", status);
  if (!IsRotation(R1) || !IsRotation(R2)) return;

  const Placed placed(m1, m2, result);
  // Beyond 2^500 the squares and products of the build and the box tests overflow: models and
  // placements so large are outside what the library answers for, and only must not fault.
  if (!(placed.size <= 0x1p500)) return;
  const std::vector<std::pair<int, int>> expected = AllPairs(placed);
  std::vector<std::pair<int, int>> reported;
  for (int k = 0; k < result.num_pairs; k++)
    reported.push_back({result.pair_list[k].first_id, result.pair_list[k].second_id});
  std::sort(reported.begin(), reported.end());
  FUZZ_CHECK(std::adjacent_find(reported.begin(), reported.end()) == reported.end(), "a pair reported twice");
  // A pair on which the two disagree must be touching only within rounding.
  auto agreed = [&](const std::pair<int, int>& p, bool in_tree) {
    const bool in_plain = std::binary_search(expected.begin(), expected.end(), p);
    FUZZ_CHECK(in_tree == in_plain || placed.Borderline(p.first, p.second), "pair (%d, %d): the tree says %d, all pairs %d",
               p.first, p.second, in_tree, in_plain);
  };
  for (const auto& p : reported) agreed(p, true);
  if (flag == StopAtFirstContact) {
    FUZZ_CHECK(result.num_pairs <= 1, "%d pairs reported when stopping at the first", result.num_pairs);
    if (result.num_pairs == 0)
      for (const auto& p : expected) agreed(p, false);
  } else {
    for (const auto& p : expected)
      if (!std::binary_search(reported.begin(), reported.end(), p)) agreed(p, false);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  Models models;
  CQ_CollideResult result;
  for (int step = 0; step < 64 && !in.Done(); step++) {
    const uint8_t op = in.Byte();
    const int m = op >> 7;
    switch (op % 5) {
      case 0: {
        // Any count: the list starts with room for it (8 for zero or less).
        const int status = models.model[m].BeginModel(in.SignedByte());
        FUZZ_CHECK(status == StatusOk || status == StatusOutOfSequence, "BeginModel status %d", status);
        models.added[m] = 0;
        break;
      }
      case 1: AddTriangle(in, models); break;
      case 2: AddSphere(in, models); break;
      case 3: {
        const bool had = models.model[m].tri_count() > 0, built = models.model[m].IsBuilt();
        const int status = models.model[m].EndModel();
        FUZZ_CHECK(status == (built ? StatusOutOfSequence : had ? StatusOk : StatusEmptyModel),
                   "EndModel status %d", status);
        if (status == StatusOk) {
          const CQ_Model& model = models.model[m];
          FUZZ_CHECK(model.bv_count() == 2 * model.tri_count() - 1, "%d BVs for %d triangles", model.bv_count(),
                     model.tri_count());
        }
        break;
      }
      default: Query(in, models, result); break;
    }
  }
  return 0;
}
