// Timing of the collision query as the simulation's collision passes use it (first contact
// only), and of the model build. Meshes come from the data folder when its .tris files exist,
// otherwise they are generated in code (icospheres of radius 0.99 and the play-volume box).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "../tests/collision/test-meshes.h"
#include "collision/cq.h"

namespace {

using test_meshes::Mesh;

// Reads a .tris file: a triangle count, then nine numbers per triangle, read as floats.
bool LoadTris(const std::string& path, Mesh& mesh) {
  std::ifstream in(path);
  int n = 0;
  if (!(in >> n) || n <= 0) return false;
  mesh.clear();
  for (int i = 0; i < n; i++) {
    test_meshes::Triangle t;
    for (auto& v : t.v)
      for (double& c : v) {
        float f;
        if (!(in >> f)) return false;
        c = f;
      }
    mesh.push_back(t);
  }
  return true;
}

const Mesh& Sphere(int level) {
  static Mesh meshes[6];
  Mesh& mesh = meshes[level];
  if (mesh.empty()) {
    char name[32];
    std::snprintf(name, sizeof name, "/sphere%02d.tris", level);
    if (!LoadTris(std::string(QUORVEL_DATA_DIR) + name, mesh))
      mesh = test_meshes::Icosphere(level, 0.99);
  }
  return mesh;
}

const Mesh& Box() {
  static Mesh mesh;
  if (mesh.empty() && !LoadTris(std::string(QUORVEL_DATA_DIR) + "/box.tris", mesh))
    mesh = test_meshes::PlayBox();
  return mesh;
}

struct Placement {
  double R1[3][3], T1[3], R2[3][3], T2[3];
};

constexpr int kPlacements = 4096;

// Sphere against sphere: 40 % of the centre distances in [1.90, 1.98] (touching), 40 % in
// [1.98, 2.10] (grazing misses), 20 % in [2.1, 4.0]; random rotations and directions.
std::vector<Placement> SpherePlacements() {
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<Placement> out(kPlacements);
  for (int i = 0; i < kPlacements; i++) {
    Placement& p = out[i];
    const double u = unit(rng);
    const double d = u < 0.4 ? 1.90 + 0.08 * unit(rng)
                   : u < 0.8 ? 1.98 + 0.12 * unit(rng)
                             : 2.1 + 1.9 * unit(rng);
    double dir[3];
    test_meshes::RandomRotation(rng, p.R1);
    test_meshes::RandomRotation(rng, p.R2);
    test_meshes::RandomDirection(rng, dir);
    for (int k = 0; k < 3; k++) {
      p.T1[k] = 0;
      p.T2[k] = d * dir[k];
    }
  }
  return out;
}

// Sphere (first model) in the box (second model, unmoved): centre at y = 0, so 0.01 above the
// floor; half of the placements within 1.05 of a side wall, the rest anywhere inside.
std::vector<Placement> BoxPlacements() {
  std::mt19937_64 rng(4202);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<Placement> out(kPlacements);
  for (int i = 0; i < kPlacements; i++) {
    Placement& p = out[i];
    test_meshes::RandomRotation(rng, p.R1);
    double x = -15 + 30 * unit(rng), z = -20 + 40 * unit(rng);
    if (i % 2 == 0) {
      const double gap = 1.05 * unit(rng);
      switch (static_cast<int>(4 * unit(rng))) {
        case 0: x = -15 + gap; break;
        case 1: x = 15 - gap; break;
        case 2: z = -20 + gap; break;
        default: z = 20 - gap; break;
      }
    }
    p.T1[0] = x;
    p.T1[1] = 0;
    p.T1[2] = z;
    for (int r = 0; r < 3; r++) {
      p.T2[r] = 0;
      for (int c = 0; c < 3; c++) p.R2[r][c] = r == c ? 1 : 0;
    }
  }
  return out;
}

// The least of the repetitions: on a shared machine the run least disturbed by other load.
double Least(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

void RunQueries(benchmark::State& state, CQ_Model& m1, CQ_Model& m2,
                const std::vector<Placement>& placements) {
  CQ_CollideResult result;
  long contacts = 0, bv_tests = 0, tri_tests = 0, queries = 0;
  size_t i = 0;
  for (auto _ : state) {
    const Placement& p = placements[i];
    CollideModels(&result, p.R1, p.T1, &m1, p.R2, p.T2, &m2, StopAtFirstContact);
    benchmark::DoNotOptimize(result.num_pairs);
    contacts += result.num_pairs;
    bv_tests += result.bv_test_count;
    tri_tests += result.tri_test_count;
    queries++;
    if (++i == placements.size()) i = 0;
  }
  state.counters["contact"] = static_cast<double>(contacts) / queries;
  state.counters["bv_tests"] = static_cast<double>(bv_tests) / queries;
  state.counters["tri_tests"] = static_cast<double>(tri_tests) / queries;
}

void BM_SphereSphereFirstContact(benchmark::State& state) {
  static CQ_Model a, b;
  if (a.state != 2) {
    test_meshes::BuildModel(a, Sphere(3));
    test_meshes::BuildModel(b, Sphere(3));
  }
  static const std::vector<Placement> placements = SpherePlacements();
  RunQueries(state, a, b, placements);
}
BENCHMARK(BM_SphereSphereFirstContact)->ComputeStatistics("min", Least);

void BM_SphereBoxFirstContact(benchmark::State& state) {
  static CQ_Model sphere, box;
  if (sphere.state != 2) {
    test_meshes::BuildModel(sphere, Sphere(3));
    test_meshes::BuildModel(box, Box());
  }
  static const std::vector<Placement> placements = BoxPlacements();
  RunQueries(state, sphere, box, placements);
}
BENCHMARK(BM_SphereBoxFirstContact)->ComputeStatistics("min", Least);

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
