// Timing of the collision query as the simulation's collision passes use it (first contact
// only), and of the model build, on the meshes and poses of bench-poses.h.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "bench-poses.h"
#include "collision/cq.h"
#include "collision/walk/walk-paths.h"

namespace {

using bench::Box;
using bench::Mesh;
using bench::Placement;
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

void RunQueries(benchmark::State& state, CQ_Model& m1, CQ_Model& m2,
                const std::vector<Placement>& placements, Mode mode) {
  UseWalkPath(mode.path);
  CQ_CollideResult result;
  long contacts = 0, bv_tests = 0, tri_tests = 0, queries = 0;
  size_t i = 0;
  for (auto _ : state) {
    const Placement& p = placements[i];
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
}

void SphereSphere(benchmark::State& state, Mode mode) {
  static CQ_Model a, b;
  if (!a.IsBuilt()) {
    test_meshes::BuildModel(a, Sphere(3));
    test_meshes::BuildModel(b, Sphere(3));
  }
  static const std::vector<Placement> placements = bench::SpherePlacements(kPlacements);
  RunQueries(state, a, b, placements, mode);
}

void SphereBox(benchmark::State& state, Mode mode) {
  static CQ_Model sphere, box;
  if (!sphere.IsBuilt()) {
    test_meshes::BuildModel(sphere, Sphere(3));
    test_meshes::BuildModel(box, Box());
  }
  static const std::vector<Placement> placements = bench::BoxPlacements(kPlacements);
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
