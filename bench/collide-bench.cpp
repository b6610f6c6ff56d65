// Timing of the collision query as the simulation's collision passes use it (first contact
// only) and with every pair reported, of the model build, and of the single-precision box test
// alone on box pairs gathered beforehand (the floor for the query's cost per box test), on the
// meshes and poses of bench-poses.h. "per_box_test" is CPU time divided by box tests.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../tests/collision/plain-walk.h"
#include "bench-poses.h"
#include "collision/cq.h"
#include "collision/walk/walk-paths.h"

namespace {

using bench::Box;
using bench::Mesh;
using bench::PosePair;
using bench::Sphere;

constexpr int kPlacements = 4096;

// The least of the repetitions: on a shared machine the run least disturbed by other load.
double Least(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

// How the queries run: first contact (as the simulation asks) or every pair, and on which path
// of the walk (nullptr: the one the processor gets).
struct Mode {
  int flag;
  const WalkPath* path;
};

// CPU time per box test, given the box tests of the whole run.
benchmark::Counter PerBoxTest(double box_tests) {
  return benchmark::Counter(box_tests, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void RunQueries(benchmark::State& state, CQ_Model& m1, CQ_Model& m2,
                const std::vector<PosePair>& placements, Mode mode) {
  UseWalkPath(mode.path);
  CQ_CollideResult result;
  long contacts = 0, bv_tests = 0, tri_tests = 0, queries = 0;
  size_t i = 0;
  for (auto _ : state) {
    const PosePair& p = placements[i];
    CollideModels(&result, p.R1, p.T1, &m1, p.R2, p.T2, &m2, mode.flag);
    benchmark::DoNotOptimize(result.num_pairs);
    contacts += result.num_pairs;
    bv_tests += result.bv_test_count;
    tri_tests += result.tri_test_count;
    queries++;
    if (++i == placements.size()) i = 0;
  }
  UseWalkPath(nullptr);
  state.counters[mode.flag == StopAtFirstContact ? "contact" : "pairs"] =
      static_cast<double>(contacts) / queries;
  state.counters["bv_tests"] = static_cast<double>(bv_tests) / queries;
  state.counters["tri_tests"] = static_cast<double>(tri_tests) / queries;
  state.counters["per_box_test"] = PerBoxTest(static_cast<double>(bv_tests));
}

void SphereSphere(benchmark::State& state, Mode mode) {
  static CQ_Model a, b;
  if (!a.IsBuilt()) {
    test_meshes::BuildModel(a, Sphere(3));
    test_meshes::BuildModel(b, Sphere(3));
  }
  static const std::vector<PosePair> placements = bench::SpherePlacements(kPlacements);
  RunQueries(state, a, b, placements, mode);
}

void SphereBox(benchmark::State& state, Mode mode) {
  static CQ_Model sphere, box;
  if (!sphere.IsBuilt()) {
    test_meshes::BuildModel(sphere, Sphere(3));
    test_meshes::BuildModel(box, Box());
  }
  static const std::vector<PosePair> placements = bench::BoxPlacements(kPlacements);
  RunQueries(state, sphere, box, placements, mode);
}

void BM_SphereSphereFirstContact(benchmark::State& state) {
  SphereSphere(state, {StopAtFirstContact, nullptr});
}
BENCHMARK(BM_SphereSphereFirstContact)->ComputeStatistics("min", Least);

void BM_SphereBoxFirstContact(benchmark::State& state) {
  SphereBox(state, {StopAtFirstContact, nullptr});
}
BENCHMARK(BM_SphereBoxFirstContact)->ComputeStatistics("min", Least);

void BM_SphereSphereAllPairs(benchmark::State& state) { SphereSphere(state, {0, nullptr}); }
BENCHMARK(BM_SphereSphereAllPairs)->ComputeStatistics("min", Least);

void BM_SphereBoxAllPairs(benchmark::State& state) { SphereBox(state, {0, nullptr}); }
BENCHMARK(BM_SphereBoxAllPairs)->ComputeStatistics("min", Least);

// The baseline path on a processor that would take the AVX2 one.
void BM_SphereSphereFirstContactBaseline(benchmark::State& state) {
  SphereSphere(state, {StopAtFirstContact, &BaselinePath()});
}
BENCHMARK(BM_SphereSphereFirstContactBaseline)->ComputeStatistics("min", Least);

void BM_SphereBoxFirstContactBaseline(benchmark::State& state) {
  SphereBox(state, {StopAtFirstContact, &BaselinePath()});
}
BENCHMARK(BM_SphereBoxFirstContactBaseline)->ComputeStatistics("min", Least);

// The box pairs that the walk visits on the first count placements (every pair reported), in
// blocks of eight as the single-precision box test takes them; the last block is filled up with
// copies of its first pair.
std::vector<GatheredBoxes> GatherBoxPairs(const CQ_Model& m1, const CQ_Model& m2,
                                          const std::vector<PosePair>& placements, int count) {
  std::vector<GatheredBoxes> blocks;
  int lane = 0;
  auto add = [&](const double R[3][3], const double T[3], const BV& B1, const BV& B2) {
    if (lane == 0) blocks.emplace_back();
    GatheredBoxes& block = blocks.back();
    for (int i = 0; i < 3; i++) {
      for (int j = 0; j < 3; j++) block.B[3 * i + j][lane] = static_cast<float>(R[i][j]);
      block.T[i][lane] = static_cast<float>(T[i]);
      block.a[i][lane] = static_cast<float>(B1.half_extents[i]);
      block.b[i][lane] = static_cast<float>(B2.half_extents[i]);
    }
    lane = (lane + 1) % 8;
  };
  for (int k = 0; k < count; k++) {
    const PosePair& p = placements[k];
    PlainQuery plain(&m1, &m2, 0);
    plain.on_visit = add;
    plain.Run(p.R1, p.T1, p.R2, p.T2);
  }
  if (lane != 0) {
    GatheredBoxes& block = blocks.back();
    for (float(&row)[8] : block.B) std::fill(row + lane, row + 8, row[0]);
    for (float(&row)[8] : block.T) std::fill(row + lane, row + 8, row[0]);
    for (float(&row)[8] : block.a) std::fill(row + lane, row + 8, row[0]);
    for (float(&row)[8] : block.b) std::fill(row + lane, row + 8, row[0]);
  }
  return blocks;
}

// The single-precision box test alone, eight pairs at a time, on pairs gathered beforehand: what
// a box test costs when nothing but its arithmetic is done.
void RunBoxTestFloor(benchmark::State& state, const std::vector<GatheredBoxes>& blocks) {
  const WalkPath* path = Avx2Path();
  if (path == nullptr || path->classify_gathered == nullptr) {
    state.SkipWithError("this processor has no AVX2");
    return;
  }
  const int count = static_cast<int>(blocks.size());
  std::vector<int> settled(count), apart(count);
  for (auto _ : state) {
    path->classify_gathered(blocks.data(), count, settled.data(), apart.data());
    benchmark::DoNotOptimize(settled.data());
    benchmark::DoNotOptimize(apart.data());
  }
  state.counters["pairs"] = 8.0 * count;
  state.counters["per_box_test"] = PerBoxTest(8.0 * count * state.iterations());
}

// Few enough placements that their box pairs (some 10,000) stay in the processor's cache.
constexpr int kFloorPlacements = 24;

void BM_BoxTestFloorSphereSphere(benchmark::State& state) {
  static CQ_Model a, b;
  if (!a.IsBuilt()) {
    test_meshes::BuildModel(a, Sphere(3));
    test_meshes::BuildModel(b, Sphere(3));
  }
  static const std::vector<GatheredBoxes> blocks =
      GatherBoxPairs(a, b, bench::SpherePlacements(kFloorPlacements), kFloorPlacements);
  RunBoxTestFloor(state, blocks);
}
BENCHMARK(BM_BoxTestFloorSphereSphere)->ComputeStatistics("min", Least);

void BM_BoxTestFloorSphereBox(benchmark::State& state) {
  static CQ_Model sphere, box;
  if (!sphere.IsBuilt()) {
    test_meshes::BuildModel(sphere, Sphere(3));
    test_meshes::BuildModel(box, Box());
  }
  static const std::vector<GatheredBoxes> blocks =
      GatherBoxPairs(sphere, box, bench::BoxPlacements(kFloorPlacements), kFloorPlacements);
  RunBoxTestFloor(state, blocks);
}
BENCHMARK(BM_BoxTestFloorSphereBox)->ComputeStatistics("min", Least);

// EndModel alone: the triangles are added with the clock paused.
void BM_EndModel(benchmark::State& state) {
  const Mesh& mesh = Sphere(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto model = std::make_unique<CQ_Model>();
    model->BeginModel(8);
    for (size_t i = 0; i < mesh.size(); i++)
      model->AddTri(mesh[i].v[0], mesh[i].v[1], mesh[i].v[2], static_cast<int>(i));
    state.ResumeTiming();
    model->EndModel();
    state.PauseTiming();  // the model's release is not part of the build
    model.reset();
    state.ResumeTiming();
  }
  state.counters["triangles"] = static_cast<double>(mesh.size());
}
BENCHMARK(BM_EndModel)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
